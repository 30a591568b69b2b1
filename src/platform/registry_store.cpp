#include "platform/registry_store.h"

#include "platform/atomic_file.h"
#include "platform/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace stellaro {

namespace {

constexpr size_t MAX_FILE_BYTES = 16 * 1024 * 1024;
// Damaged files kept aside at most, so that a store damaged again and again cannot fill the disk.
constexpr int MAX_KEPT_ASIDE = 100;
// Reads within this interval trust the copy in memory without asking the disk.
constexpr auto RECHECK_INTERVAL = std::chrono::milliseconds(250);

struct FileSignature {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtime_ns = 0;

    bool operator==(const FileSignature&) const = default;
};

FileSignature signature_of(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size,
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

// What the file on disk is to the store.
enum class FileState {
    ABSENT_OR_GOOD, // its settings (none when absent or empty) are in memory
    DAMAGED,        // defaults are used; the next save keeps it aside and writes a good one
    UNUSABLE,       // not a regular file, or unreadable: defaults are used and it is never replaced
};

class Store {
public:
    std::optional<RegistryValue> read(const std::u16string& key, const std::u16string& name)
    {
        std::lock_guard lock(mutex);
        refresh(false);
        const RegistryValue* value = contents.find(key, name);
        return value ? std::optional<RegistryValue>(*value) : std::nullopt;
    }

    bool write(const std::u16string& key, const std::vector<std::pair<std::u16string, RegistryValue>>& values)
    {
        std::lock_guard lock(mutex);
        // Start from what is on disk now, so that a change made elsewhere is not overwritten.
        refresh(true);
        if (state == FileState::UNUSABLE)
            return not_saved(problem + ", and it is left as it is");
        // Only a writer moves a damaged file aside, and only to put a good one in its place: a
        // reader may be looking at a file that is still being written.
        if (state == FileState::DAMAGED && !set_aside())
            return false;
        RegistryFile changed = contents;
        for (const auto& [name, value] : values)
            changed.set(key, name, value);
        if (const FileResult written = write_whole_file(path, changed.serialize(), FileSharing::PRIVATE); !written)
            return not_saved(written.reason);
        contents = std::move(changed);
        state = FileState::ABSENT_OR_GOOD;
        signature = signature_of(path);
        return true;
    }

    std::string current_path()
    {
        std::lock_guard lock(mutex);
        return wanted_path();
    }

private:
    static std::string wanted_path()
    {
        if (const char* chosen = std::getenv("STELLARO_REGISTRY"); chosen && *chosen)
            return chosen;
        const std::string folder = config_folder();
        return folder.empty() ? std::string("registry.reg") : folder + "/stellaro/registry.reg";
    }

    // Reads the file again when it has changed; says once on stderr what is wrong with it.
    void refresh(bool force)
    {
        const auto now = std::chrono::steady_clock::now();
        const std::string wanted = wanted_path();
        if (wanted == path && loaded && !force && now - last_check < RECHECK_INTERVAL)
            return;
        last_check = now;
        const FileSignature current = signature_of(wanted);
        if (wanted == path && loaded && current == signature)
            return;
        path = wanted;
        signature = current;
        loaded = true;
        contents = RegistryFile();
        state = FileState::ABSENT_OR_GOOD;
        if (!current.exists)
            return;
        std::string bytes;
        switch (read_regular_file(path, bytes, MAX_FILE_BYTES)) {
        case FileRead::READ:
            break;
        case FileRead::MISSING:
            return;
        case FileRead::NOT_A_FILE:
            return unusable("it is not a regular file");
        case FileRead::UNREADABLE:
            return unusable(std::string("it cannot be read: ") + std::strerror(errno));
        case FileRead::TOO_LARGE:
            return damaged("it is larger than " + std::to_string(MAX_FILE_BYTES / (1024 * 1024)) + " MiB");
        }
        // An empty file holds no settings; it is not damaged (another copy may be writing it).
        if (bytes.empty())
            return;
        std::string error;
        if (auto parsed = RegistryFile::parse(bytes, error))
            contents = std::move(*parsed);
        else
            damaged(error);
    }

    void damaged(const std::string& error)
    {
        state = FileState::DAMAGED;
        std::fprintf(stderr,
                     "stellaro: the settings file %s is damaged (%s); defaults are used until a setting changes and it is "
                     "kept aside\n",
                     path.c_str(), error.c_str());
    }

    void unusable(const std::string& why)
    {
        state = FileState::UNUSABLE;
        problem = why;
        std::fprintf(stderr, "stellaro: the settings file %s cannot be used (%s); defaults are used and nothing is saved\n",
                     path.c_str(), why.c_str());
    }

    bool not_saved(const std::string& why) const
    {
        std::fprintf(stderr, "stellaro: the settings were not saved to %s: %s\n", path.c_str(), why.c_str());
        return false;
    }

    // Moves the damaged file to the first free name of <file>.bad, <file>.bad.1, <file>.bad.2 ...,
    // never over one kept before. A linked settings file is set aside at its target, so that the
    // link stays and the save goes where it points.
    bool set_aside()
    {
        const std::string damaged_file = followed_path(path);
        for (int number = 0; number < MAX_KEPT_ASIDE; ++number) {
            const std::string kept = damaged_file + ".bad" + (number ? "." + std::to_string(number) : std::string());
            if (rename_without_replacing(damaged_file, kept)) {
                std::fprintf(stderr, "stellaro: the damaged settings file %s was kept as %s\n", path.c_str(), kept.c_str());
                return true;
            }
            if (errno != EEXIST)
                return not_saved(std::string("the damaged file cannot be kept aside (") + std::strerror(errno) + ")");
        }
        return not_saved("the damaged file cannot be kept aside: " + std::to_string(MAX_KEPT_ASIDE) + " are kept already");
    }

    std::mutex mutex;
    std::string path;
    FileSignature signature;
    bool loaded = false;
    std::chrono::steady_clock::time_point last_check;
    RegistryFile contents;
    FileState state = FileState::ABSENT_OR_GOOD;
    std::string problem;
};

Store& store()
{
    static Store instance;
    return instance;
}

} // namespace

std::optional<RegistryValue> registry_read(const std::u16string& key, const std::u16string& name)
{
    return store().read(key, name);
}

bool registry_write(const std::u16string& key, const std::u16string& name, RegistryValue value)
{
    return store().write(key, {{name, std::move(value)}});
}

bool registry_write_all(const std::u16string& key, const std::vector<std::pair<std::u16string, RegistryValue>>& values)
{
    return store().write(key, values);
}

std::string registry_path()
{
    return store().current_path();
}

} // namespace stellaro
