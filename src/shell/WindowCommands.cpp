#include "shell/WindowCommands.hpp"

#include <algorithm>

namespace larkspan {

void WindowCommands::define(const std::string& name, Handler run) {
    auto same = [&name](const Command& c) { return c.name == name; };
    commands_.erase(std::remove_if(commands_.begin(), commands_.end(), same), commands_.end());
    commands_.push_back(Command{name, std::move(run)});
}

}  // namespace larkspan
