// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The functions the program's backend calls on the page (platform/hosts/web/js_page.cpp). Each
// hands over to `Module.quillbyPage`, the page's own object (page.js), with the program's
// memory read where the call passes an address.
mergeInto(LibraryManager.library, {
  quillby_page_open_canvas: function () {
    return Module.quillbyPage.openCanvas() ? 1 : 0;
  },
  quillby_page_show: function (rgba, left, top, width, height) {
    Module.quillbyPage.show(HEAPU8, rgba, left, top, width, height);
  },
  quillby_page_now: function () {
    return Module.quillbyPage.now();
  },
  quillby_page_next_input: function (xy) {
    var input = Module.quillbyPage.nextInput();
    if (!input) return 0;
    HEAP32[xy >> 2] = input.x;
    HEAP32[(xy >> 2) + 1] = input.y;
    return input.kind;
  },
  // The program's loop stops here and the browser runs until the page wakes it.
  quillby_page_wait: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) {
      Module.quillbyPage.wait(ms, wakeUp);
    });
  },
  quillby_page_play_sound: function (id, rate, bits, data, bytes) {
    Module.quillbyPage.playSound(id, rate, bits, HEAPU8.subarray(data, data + bytes));
  },
});
