#pragma once
// The command table's rows, the parsing of a command's arguments against its row, and the
// help texts made from the same rows, so what --help says is what the parser takes.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirulane::cli {

struct Context;
struct Args;

// A command gets its parsed arguments and returns the exit status: 0 success, 1 failure,
// 2 usage.
using CommandFn = int (*)(Context&, const Args&);

struct OptionSpec {
    const char* name;   // "--thumbs", "-o"
    const char* value;  // the value's placeholder ("LIST.txt"); nullptr for a switch
    const char* help;   // one line
};

struct CommandSpec {
    const char* name;
    const char* synopsis;  // what follows the name in a usage line
    const char* help;      // one line
    const char* operand;   // the operand's placeholder, named when it is missing
    int minOperands;
    int maxOperands;  // -1: any number
    std::span<const OptionSpec> options;
    bool pageOptions;  // also takes the page creation options (page_options.h)
    CommandFn fn;
};

// A command's arguments: its operands in order, and each option given with its value ("" for
// a switch).
struct Args {
    std::vector<std::string> operands;
    std::vector<std::pair<std::string, std::string>> options;

    bool Has(std::string_view name) const { return Value(name) != nullptr; }
    // The value of an option, nullptr when it was not given.
    const std::string* Value(std::string_view name) const;
};

// Splits args by the command's row. False with a message naming the unknown option, the
// option without its value, the option given twice, the missing operand or the extra one.
bool ParseArgs(const CommandSpec& command, const std::vector<std::string>& args, Args& out,
               std::string& error);

// A decimal number from lo to hi (digits only); false for anything else.
bool ParseNumber(std::string_view text, int lo, int hi, int& out);

// "mirulane-cli: MESSAGE", the command's usage line and where to read more, on stderr; 2.
int UsageError(const CommandSpec& command, std::string_view message);

// The help of every command (--help) and of one command (help COMMAND).
void PrintHelp(std::FILE* out, std::span<const CommandSpec> commands);
void PrintCommandHelp(std::FILE* out, const CommandSpec& command);

}  // namespace mirulane::cli
