#pragma once
#include <functional>
#include <optional>
#include <string>

namespace stellaro {

// A fresh temporary folder for one test, removed with its contents when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

// Sets or unsets one environment variable for the lifetime of the object, then puts back what
// was there before, so a test leaves the environment as it found it.
class EnvironmentGuard {
public:
    // No value unsets the variable.
    EnvironmentGuard(std::string name, const std::optional<std::string>& value);
    ~EnvironmentGuard();
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    // Changes the variable again; the original value still comes back at the end.
    void set(const std::optional<std::string>& value);

private:
    std::string name;
    std::optional<std::string> saved;
};

// Points the settings store at a file of its own for the lifetime of the object.
class TemporaryRegistry {
public:
    TemporaryRegistry();
    const std::string& path() const { return file; }

private:
    TemporaryFolder folder;
    std::string file;
    EnvironmentGuard variable;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// Runs the program with the arguments (a shell-quoted string) and gives its exit status and output.
// Redirections (e.g. ">/dev/full") come after the program's own and so win over them.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};
ProgramRun run_program(const std::string& arguments, const std::string& environment = "", const std::string& redirections = "");
// The same for any shell command line.
ProgramRun run_command(const std::string& command_line, const std::string& redirections = "");

// A reader of a FIFO in a child process: it reads until the writer closes and judges what came.
class FifoReader {
public:
    // Makes the FIFO at path and starts the child; a child no writer ever reaches ends after a minute.
    FifoReader(const std::string& path, std::function<bool(const std::string&)> judge);
    // Waits for the child: true when it read everything and the judge accepted it.
    bool accepted();

private:
    int child = -1;
};

} // namespace stellaro
