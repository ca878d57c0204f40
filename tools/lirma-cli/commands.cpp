#include "commands.h"

#include <map>

namespace cli {
namespace {
std::map<std::string, Command>& all() {
    static std::map<std::string, Command> m;
    return m;
}
} // namespace

void addCommand(Command c) { all()[c.name] = std::move(c); }

const Command* findCommand(const std::string& name) {
    auto it = all().find(name);
    return it == all().end() ? nullptr : &it->second;
}

} // namespace cli
