// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// FreeType's own options, less what the game's two TrueType fonts never need. The fonts are
// read from memory, have a Unicode cmap of format 4, no embedded bitmaps and no hinting
// programs, and every glyph goes through the auto-hinter, so FreeType's file streams, the
// bytecode interpreter, glyph names, bitmap strikes and colour layers would be carried for
// nothing. The auto-hinter keeps its CJK writing system: it hints the glyphs no script claims
// (punctuation and symbols such as ! ? ( ) @), which the Latin one would draw otherwise.
#pragma once

#include <freetype/config/ftoption.h>

#undef FT_CONFIG_OPTION_ENVIRONMENT_PROPERTIES
#undef FT_CONFIG_OPTION_USE_LZW
#undef FT_CONFIG_OPTION_USE_ZLIB
#undef FT_CONFIG_OPTION_USE_BZIP2
#undef FT_CONFIG_OPTION_USE_PNG
#undef FT_CONFIG_OPTION_USE_HARFBUZZ
#undef FT_CONFIG_OPTION_USE_BROTLI
#define FT_CONFIG_OPTION_DISABLE_STREAM_SUPPORT
#undef FT_CONFIG_OPTION_POSTSCRIPT_NAMES
#undef FT_CONFIG_OPTION_ADOBE_GLYPH_LIST
#undef FT_CONFIG_OPTION_MAC_FONTS
#undef FT_CONFIG_OPTION_GUESSING_EMBEDDED_RFORK
#undef FT_CONFIG_OPTION_INCREMENTAL
#undef TT_CONFIG_OPTION_EMBEDDED_BITMAPS
#undef TT_CONFIG_OPTION_COLOR_LAYERS
#undef TT_SUPPORT_COLRV1
#undef TT_CONFIG_OPTION_POSTSCRIPT_NAMES
// Unicode cmaps only: the BMP's (4) and the full range's (12).
#undef TT_CONFIG_CMAP_FORMAT_0
#undef TT_CONFIG_CMAP_FORMAT_2
#undef TT_CONFIG_CMAP_FORMAT_6
#undef TT_CONFIG_CMAP_FORMAT_8
#undef TT_CONFIG_CMAP_FORMAT_10
#undef TT_CONFIG_CMAP_FORMAT_13
#undef TT_CONFIG_CMAP_FORMAT_14
#undef TT_CONFIG_OPTION_BYTECODE_INTERPRETER
#undef TT_CONFIG_OPTION_SUBPIXEL_HINTING
#undef TT_USE_BYTECODE_INTERPRETER
#undef TT_SUPPORT_SUBPIXEL_HINTING_INFINALITY
#undef TT_SUPPORT_SUBPIXEL_HINTING_MINIMAL
#undef TT_CONFIG_OPTION_GX_VAR_SUPPORT
#undef TT_CONFIG_OPTION_BDF
#undef AF_CONFIG_OPTION_INDIC
