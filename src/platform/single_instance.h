#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stellaro {

// What a later start handed over: its working folder and its arguments.
struct HandedCommandLine {
    std::string working_folder;
    std::vector<std::string> arguments;
};

// One running copy per user: the first start holds a lock file and listens on a Unix socket
// beside it; a later start hands its command line over that socket and ends. The folder is
// $STELLARO_RUNTIME_DIR, else $XDG_RUNTIME_DIR/stellaro, else /tmp/stellaro-<uid>, made 0700.
// A folder that cannot be trusted (another user's, a symbolic link, not a folder, with something
// else than a file in place of the lock) is reported on stderr and the user's own
// $XDG_CACHE_HOME/stellaro/run (~/.cache/stellaro/run) is used instead, which every start
// falls back to alike. A socket left by a killed copy does not block a start.
class SingleInstance {
public:
    enum class Outcome {
        OWNER,        // this is the only copy; listen for later starts
        HANDED_OVER,  // another copy runs and has the command line; end now
        UNAVAILABLE,  // no lock could be taken (said on stderr): run as the only copy
    };

    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Claims the instance or hands the command line to the copy that has it.
    Outcome claim(const std::vector<std::string>& arguments);

    // The command lines that later starts handed over since the last call (never blocks long).
    std::vector<HandedCommandLine> receive();

    // Where the lock and socket live, and where they go when that folder cannot be used.
    static std::string runtime_folder();
    static std::string fallback_folder();

private:
    // Makes the folder if need be and opens the lock in it; why not, or empty when it is done.
    std::string take_folder(const std::string& candidate);
    bool hand_over(const std::vector<std::string>& arguments);
    bool listen();

    std::string name;
    std::string folder;
    int lock_fd = -1;
    int listen_fd = -1;
};

// The handed-over message: working folder and arguments, each ended by a zero byte.
std::string encode_command_line(const HandedCommandLine& command_line);
std::optional<HandedCommandLine> decode_command_line(const std::string& bytes);

} // namespace stellaro
