#include "support/PageProcesses.hpp"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace larkspan::test {

namespace {

struct ProcessEntry {
    pid_t parent = 0;
    char state = 0;
};

// Every process by id, from /proc/<pid>/stat ("pid (name) state ppid ...", where the name
// may hold spaces and brackets).
std::map<pid_t, ProcessEntry> processTable() {
    std::map<pid_t, ProcessEntry> table;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        ProcessEntry process;
        int parent = 0;
        if (std::sscanf(line.c_str() + close + 2, "%c %d", &process.state, &parent) != 2) continue;
        process.parent = static_cast<pid_t>(parent);
        table[static_cast<pid_t>(std::stoi(name))] = process;
    }
    return table;
}

bool descendsFromUs(pid_t pid, const std::map<pid_t, ProcessEntry>& table) {
    const pid_t self = ::getpid();
    for (auto it = table.find(pid); it != table.end(); it = table.find(it->second.parent)) {
        if (it->second.parent == self) return true;
        if (it->second.parent <= 1) return false;
    }
    return false;
}

}  // namespace

std::set<pid_t> pageProcesses() {
    std::set<pid_t> found;
    const auto table = processTable();
    for (const auto& [pid, process] : table) {
        if (process.state == 'Z' || !descendsFromUs(pid, table)) continue;
        // The kernel keeps the first 15 characters of a program's name.
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string name;
        std::getline(comm, name);
        if (name.rfind("WebKitWebProces", 0) == 0) found.insert(pid);
    }
    return found;
}

}  // namespace larkspan::test
