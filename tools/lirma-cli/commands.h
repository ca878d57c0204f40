#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace cli {

struct Context {
    std::filesystem::path dataFolder;
    std::string user = "ADMIN";
};

struct Command {
    std::string name;
    bool needsData;
    std::function<int(Context&, const std::vector<std::string>&)> run;
};

// Each command file adds itself with a static Registrar.
void addCommand(Command c);
const Command* findCommand(const std::string& name);

struct Registrar {
    explicit Registrar(Command c) { addCommand(std::move(c)); }
};

} // namespace cli
