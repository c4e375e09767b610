#pragma once
// The commands that run a dialog's print, export or chart without a window.

// Prepares Qt for a run without a window: the offscreen platform, whatever the
// environment names, and none of the notes that platform prints about every
// window or a missing session folder, which the user cannot act on.
void PrepareBatchQt();
