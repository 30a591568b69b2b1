#include "platform/registry_store.h"

#include "platform/atomic_file.h"
#include "platform/user_folders.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace stellaro {

namespace {

constexpr size_t MAX_FILE_BYTES = 16 * 1024 * 1024;
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
        RegistryFile changed = contents;
        for (const auto& [name, value] : values)
            changed.set(key, name, value);
        if (!write_whole_file(path, changed.serialize(), FileSharing::PRIVATE))
            return false;
        contents = std::move(changed);
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
        if (!current.exists)
            return;
        std::string bytes;
        std::string error;
        if (const FileResult read = read_whole_file(path, bytes, MAX_FILE_BYTES); !read) {
            error = read.reason;
        } else if (auto parsed = RegistryFile::parse(bytes, error)) {
            contents = std::move(*parsed);
            return;
        }
        set_aside(error);
    }

    // A linked settings file is set aside at its target, so that the link stays and the next save
    // goes where it points; only a regular file is moved, never a device or a FIFO.
    void set_aside(const std::string& error)
    {
        const std::string damaged = followed_path(path);
        const std::string bad = damaged + ".bad";
        struct stat info {};
        if (::lstat(damaged.c_str(), &info) == 0 && S_ISREG(info.st_mode) && std::rename(damaged.c_str(), bad.c_str()) == 0) {
            std::fprintf(stderr, "stellaro: the settings file %s is damaged (%s); it was kept as %s and defaults are used\n",
                         path.c_str(), error.c_str(), bad.c_str());
        } else {
            std::fprintf(stderr, "stellaro: the settings file %s is damaged (%s); defaults are used\n", path.c_str(), error.c_str());
        }
        signature = signature_of(path);
    }

    std::mutex mutex;
    std::string path;
    FileSignature signature;
    bool loaded = false;
    std::chrono::steady_clock::time_point last_check;
    RegistryFile contents;
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
