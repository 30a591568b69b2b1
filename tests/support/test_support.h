#pragma once
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

// Points the settings store at a file of its own for the lifetime of the object.
class TemporaryRegistry {
public:
    TemporaryRegistry();
    ~TemporaryRegistry();
    const std::string& path() const { return file; }

private:
    TemporaryFolder folder;
    std::string file;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// Runs the program with the arguments (a shell-quoted string) and gives its exit status and output.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};
ProgramRun run_program(const std::string& arguments, const std::string& environment = "");

} // namespace stellaro
