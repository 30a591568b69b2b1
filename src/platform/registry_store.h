#pragma once
#include "platform/registry_file.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace stellaro {

// The process's settings store: the registry file held in memory and saved atomically on every
// change. The file is $STELLARO_REGISTRY when set, else $XDG_CONFIG_HOME/stellaro/registry.reg;
// a change of the file on disk (another copy of the program, a hand edit) is picked up on later reads.
// A damaged file is reported once on stderr and defaults are used; the next write keeps it aside
// as "<file>.bad" (then ".bad.1", ".bad.2" ..., never over an earlier one) and saves a good one.
// Reads never move a file: an empty one (being written) holds no settings. A path that is not a
// regular file (a FIFO, a folder) is reported, never opened for long and never replaced; writes
// to it fail. Safe to call from any thread.
std::optional<RegistryValue> registry_read(const std::u16string& key, const std::u16string& name);
bool registry_write(const std::u16string& key, const std::u16string& name, RegistryValue value);
// Several values of one key in one save.
bool registry_write_all(const std::u16string& key, const std::vector<std::pair<std::u16string, RegistryValue>>& values);

// The file the store uses now.
std::string registry_path();

} // namespace stellaro
