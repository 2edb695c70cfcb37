#pragma once
// Qt's own texts in Greek: the buttons of message boxes ("Ναι", "Όχι", "OK", "Άκυρο"), the
// labels, tooltips and menus of the file dialog, and the edit menu of text boxes. Qt ships no
// Greek translation of them, so the program carries these few itself, in a translator of its
// own.

namespace qttexts {

// Installs the translator on the running application once; later calls do nothing. The
// application object calls it at start, and the message box and the file dialog before they
// are made, so that they read Greek under any application object (the tests' too).
void useGreek();

} // namespace qttexts
