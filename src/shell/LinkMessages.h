#pragma once
// Shows the serial link's error messages as stop-icon boxes with the link's caption, on the UI
// thread. A message raised on the reader thread is posted to the UI thread and never waits for
// it; one raised on the UI thread itself (a failed Connect) is shown before the link call returns.

void InstallLinkMessageBoxes();
