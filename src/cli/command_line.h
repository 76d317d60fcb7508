#pragma once
// What the programs' command lines share: CLI11 set up the same way, and the same report of
// a command line that cannot be used.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace rizazovoz {

// Runs the parser on `arguments` (without the program name). Empty on success, else the
// reason in one line. --help and --version are options of the programs, not CLI11's.
std::string ParseWith(CLI::App& app, std::vector<std::string> arguments);

// "--simulate[=IDENTITY]": a flag, or four hexadecimal digits.
CLI::Option* AddSimulateOption(CLI::App& app, std::string& identity);

// An identity as the ECU sends it, four hexadecimal digits, in upper case; false otherwise.
bool NormaliseIdentity(std::string& identity);

}  // namespace rizazovoz
