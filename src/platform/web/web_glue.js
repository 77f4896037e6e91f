// SPDX-License-Identifier: GPL-2.0-or-later
// The game's calls into the page (page.js keeps the canvas, the audio and the
// saved folder in Module.page).
mergeInto(LibraryManager.library, {
  webShowFrame: function (canvas, width, height, bands, bandCount, scene, buildMs, showStartMs) {
    Module.page.showFrame(canvas, width, height, HEAP32.subarray(bands >> 2, (bands >> 2) + bandCount * 4),
      scene, buildMs, showStartMs);
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
  webStarted: function () {
    Module.page.started();
  },
  webStartRefused: function (path, reason) {
    Module.page.refused(UTF8ToString(path), reason);
  },
});
