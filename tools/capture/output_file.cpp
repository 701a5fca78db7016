// Temporary output names, their publication and removal, and the interrupt flag.
#include "output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

volatile std::sig_atomic_t capture_interrupted = 0;

namespace {

void on_interrupt(int) { capture_interrupted = 1; }

} // namespace

void install_interrupt_handlers()
{
    struct sigaction action = {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

std::string part_path(const std::string& path) { return path + ".part"; }

int publish_part(const std::string& path, std::string& error)
{
    if (std::rename(part_path(path).c_str(), path.c_str()) != 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}

void discard_part(const std::string& path)
{
    const std::string part = part_path(path);
    struct stat info = {};
    if (lstat(part.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode)) {
        if (DIR* dir = opendir(part.c_str())) {
            while (dirent* entry = readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    unlink((part + "/" + entry->d_name).c_str());
            closedir(dir);
        }
        rmdir(part.c_str());
    } else {
        unlink(part.c_str());
    }
}

int can_create(const std::string& path, std::string& error)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat info = {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = "cannot write " + path + ": folder " + folder + " does not exist";
        return 0;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write " + path + ": folder " + folder + " is not writable";
        return 0;
    }
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = "cannot write " + path + ": it is a folder";
        return 0;
    }
    return 1;
}
