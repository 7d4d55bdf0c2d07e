#pragma once
#include "geometry/3DPoint.h"
#include "tool/ToolCommand.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CConsolePlatform;

// Arguments of one command: positional words, "--flag" switches and
// "--name VALUE" (or "-o VALUE") options.
struct CParsedArgs {
    std::vector<std::string> positional;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    std::string problem;   // set when the arguments are not understood

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::string Value(const std::string& name) const
    {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
};

CParsedArgs ParseArgs(const ToolArgs& args, const std::set<std::string>& flagNames,
                      const std::set<std::string>& valueNames);

// Applies "--on-topology-error stop|continue" to the console's answer for the
// topology question; false for any other value.
bool ConfigureTopologyAnswer(CConsolePlatform& console, const std::string& value);

// Prints a failure in the system's words ("Error: ...") on standard error; returns 1.
int Fail(const std::string& text);

// Formats a float for the listings; JSON gets null for values that are no number.
std::string FormatNumber(float v);
std::string JsonNumber(float v);
// A JSON string literal with quotes and escapes.
std::string JsonString(const std::string& s);
// [x, y, z] in JSON, (x, y, z) in the text listings.
std::string JsonPoint(const C3DPoint& p);
std::string TextPoint(const C3DPoint& p);
