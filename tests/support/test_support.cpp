#include "support/test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace stellaro {

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "stellaro-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    folder = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

EnvironmentGuard::EnvironmentGuard(std::string name, const std::optional<std::string>& value) : name(std::move(name))
{
    if (const char* previous = std::getenv(this->name.c_str()))
        saved = previous;
    set(value);
}

EnvironmentGuard::~EnvironmentGuard()
{
    set(saved);
}

void EnvironmentGuard::set(const std::optional<std::string>& value)
{
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

TemporaryRegistry::TemporaryRegistry() : file(folder.file("registry.reg")), variable("STELLARO_REGISTRY", file)
{
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

ProgramRun run_program(const std::string& arguments, const std::string& environment, const std::string& redirections)
{
    return run_command(environment + " " STELLARO_EXE " " + arguments, redirections);
}

ProgramRun run_command(const std::string& command_line, const std::string& redirections)
{
    TemporaryFolder folder;
    const std::string out_file = folder.file("out");
    const std::string err_file = folder.file("err");
    const std::string command = command_line + " >" + out_file + " 2>" + err_file + " " + redirections;
    const int raw = std::system(command.c_str());
    ProgramRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = read_file(out_file);
    run.err = read_file(err_file);
    return run;
}

FifoReader::FifoReader(const std::string& path, std::function<bool(const std::string&)> judge)
{
    if (::mkfifo(path.c_str(), 0600) != 0)
        return;
    child = ::fork();
    if (child != 0)
        return;
    ::alarm(60);
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        got.append(buffer, static_cast<size_t>(n));
    ::_exit(judge(got) ? 0 : 1);
}

bool FifoReader::accepted()
{
    if (child <= 0)
        return false;
    int status = -1;
    ::waitpid(child, &status, 0);
    child = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace stellaro
