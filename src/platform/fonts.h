#pragma once
// The faces that the windows and printouts ask for by name ("Tahoma", "Tahoma Greek",
// "Arial", "Courier New", and the default "Sans Serif") are rarely installed on Linux, and a
// minimal machine's fontconfig may answer them with a monospace face. Each gets a list of
// installed stand-ins with Greek letters, used only where the named face itself is missing.

namespace fonts {

// Registers the stand-ins with Qt's font matching; call once at start, before any window.
void useStandIns();

} // namespace fonts
