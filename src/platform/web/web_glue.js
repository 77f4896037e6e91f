// SPDX-License-Identifier: GPL-2.0-or-later
// The game's calls into the page (page.js keeps the canvas, the audio and the
// saved folder in Module.page).
mergeInto(LibraryManager.library, {
  webShowFrame: function (rgba, scene, buildMs, showStartMs) {
    Module.page.showFrame(rgba, scene, buildMs, showStartMs);
  },
  webScreenRect: function (out) {
    var r = Module.page.screenRect();
    HEAPF64[(out >> 3)] = r.left;
    HEAPF64[(out >> 3) + 1] = r.top;
    HEAPF64[(out >> 3) + 2] = r.width;
    HEAPF64[(out >> 3) + 3] = r.height;
  },
  webMusicOpen: function (piece, endSample) {
    Module.page.music.open(UTF8ToString(piece), endSample);
  },
  webMusicPlay: function () {
    Module.page.music.play();
  },
  webMusicClose: function () {
    Module.page.music.close();
  },
  webFolderChanged: function () {
    Module.page.saves.store();
  },
  webGameEnded: function () {
    Module.page.ended();
  },
  webStartRefused: function (path, reason) {
    Module.page.refused(UTF8ToString(path), reason);
  },
});
