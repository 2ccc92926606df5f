// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where the 240×320 picture sits in the browser's viewport.

export const DISPLAY_WIDTH = 240;
export const DISPLAY_HEIGHT = 320;

// A whole number of screen pixels per display pixel keeps every pixel the same size; it is
// taken when it gives up no more than this share of the largest size that fits.
const WHOLE_SCALE_SHARE = 0.85;

// The picture's place for a viewport of this size in CSS pixels, on a screen with
// `pixelRatio` screen pixels per CSS pixel: its size and top-left corner in CSS pixels, and
// its scale in screen pixels per display pixel. Centred, on whole screen pixels.
export function fitPicture(viewWidth, viewHeight, pixelRatio = 1) {
  const ratio = pixelRatio > 0 ? pixelRatio : 1;
  const screenWidth = Math.max(0, Math.floor(viewWidth * ratio));
  const screenHeight = Math.max(0, Math.floor(viewHeight * ratio));
  const largest = Math.min(screenWidth / DISPLAY_WIDTH, screenHeight / DISPLAY_HEIGHT);
  const whole = Math.floor(largest);
  const scale = whole >= 1 && whole >= largest * WHOLE_SCALE_SHARE ? whole : largest;
  const width = Math.floor(DISPLAY_WIDTH * scale);
  const height = Math.floor(DISPLAY_HEIGHT * scale);
  return {
    scale,
    width: width / ratio,
    height: height / ratio,
    left: Math.floor((screenWidth - width) / 2) / ratio,
    top: Math.floor((screenHeight - height) / 2) / ratio,
  };
}
