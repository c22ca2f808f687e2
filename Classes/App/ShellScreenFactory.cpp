#include "Classes/App/ShellScreens.h"

#include <map>

namespace {

std::map<std::string, ShellScreenFactory::Maker>& makers() {
    static std::map<std::string, ShellScreenFactory::Maker> m;
    return m;
}

}  // namespace

void ShellScreenFactory::setMaker(const std::string& name, Maker maker) { makers()[name] = std::move(maker); }

void ShellScreenFactory::removeMaker(const std::string& name) { makers().erase(name); }

UIViewControllerPtr ShellScreenFactory::make(const std::string& name) {
    auto it = makers().find(name);
    return it != makers().end() && it->second ? it->second() : nullptr;
}
