// Asks the window system to report a held key's repeats as presses only.
// Under X11 each repeat otherwise arrives as a release and a press, and Qt
// can tell them from a real release only by looking for the press already
// queued; when that press is a moment late, a held key switch would seem to
// be let go. Elsewhere repeats are flagged reliably and this does nothing.
#pragma once

namespace tavo {

// Needs the QGuiApplication; harmless on any other platform plugin.
void report_key_repeats_as_presses();

} // namespace tavo
