// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The voice of a page opened with ?speak: its language's voice file, the clips the build leaves
// out of the program ("QVC1", then for each clip its WAVE resource number and its size, 32 bits
// each, little-endian, and its bytes), fetched only then and handed to the program, where every
// game finds them among its resources. A page fetches one voice file, never another language's.

// The clips of a voice file; throws for a file that is no voice file, or not a whole one.
export function readVoice(buffer) {
  const bytes = new Uint8Array(buffer);
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (bytes.length < 4 || String.fromCharCode(...bytes.subarray(0, 4)) !== 'QVC1') throw new Error('not a voice file');
  const clips = [];
  for (let at = 4; at < bytes.length; ) {
    if (bytes.length - at < 8) throw new Error('the voice file is cut short');
    const id = view.getUint32(at, true);
    const size = view.getUint32(at + 4, true);
    if (size > bytes.length - at - 8) throw new Error(`clip ${id} is cut short`);
    clips.push({ id, bytes: bytes.subarray(at + 8, at + 8 + size) });
    at += 8 + size;
  }
  return clips;
}

// The voice file of a language, by its two-letter code: voice.bin is English's.
export function voiceFile(code) {
  return code === 'en' ? 'voice.bin' : `voice-${code}.bin`;
}

export async function loadVoice(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  return readVoice(await response.arrayBuffer());
}

// Copies the clips into the program's memory, for the page's life. The program takes them as
// of no language: the one language it then has them in is the page's.
export function handVoiceTo(program, clips) {
  for (const clip of clips) {
    const at = program._malloc(clip.bytes.length);
    program.HEAPU8.set(clip.bytes, at);
    program._quillby_add_wave(clip.id, at, clip.bytes.length);
  }
}
