#pragma once
#include "app/headless_run.h"

#include <string>
#include <vector>

namespace stellaro {

// The lines of an events file (line ends with or without carriage returns); throws UsageError
// when it cannot be read or is larger than a script can sensibly be (1 MiB).
std::vector<std::string> read_event_lines(const std::string& path);

// Runs one line of an events file on a headless run; blank lines and lines starting with "#"
// do nothing. Throws UsageError naming the line number when the line is not understood or
// names an element that is not shown, or when it would take the script past ten minutes of
// program time. Messages quote at most the first 80 characters of the line.
//
//     press X Y / move X Y / release X Y    pointer input at a point of the frame
//     tap NAME                               press and release at the centre of a shown element;
//                                            NAME may be a path "parent/child"
//     tap-text TEXT                          likewise for the element showing exactly TEXT
//     drag NAME DX DY                        press at its centre, move by DX, DY over ten frames,
//                                            hold still, release (no fling)
//     key NAME down|up                       a key by its name ("Enter", "End", "A", "SOFT_LEFT")
//     text TEXT                              typed text
//     wait MS                                let MS milliseconds of the program's time pass
//     sleep MS                               let MS milliseconds of real time pass (at most a
//                                            minute) for data from outside, such as gpsd's, then
//                                            draw one frame without the program's time moving
void run_event_line(HeadlessRun& run, const std::string& line, int number);

} // namespace stellaro
