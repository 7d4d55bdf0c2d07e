#include "tool/ToolSupport.h"

#include "platform/Texts.h"
#include "tool/ConsolePlatform.h"

#include <charconv>
#include <cmath>
#include <cstdio>

CParsedArgs ParseArgs(const ToolArgs& args, const std::set<std::string>& flagNames,
                      const std::set<std::string>& valueNames)
{
    CParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            std::string name = a;
            std::string value;
            bool inlineValue = false;
            if (const std::size_t eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
                inlineValue = true;
            }
            if (flagNames.count(name) && !inlineValue) {
                parsed.flags.insert(name);
            } else if (valueNames.count(name)) {
                if (!inlineValue) {
                    if (i + 1 >= args.size()) {
                        parsed.problem = name + " needs a value";
                        return parsed;
                    }
                    value = args[++i];
                }
                parsed.values[name] = value;
            } else {
                parsed.problem = "unknown option " + a;
                return parsed;
            }
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

bool ConfigureTopologyAnswer(CConsolePlatform& console, const std::string& value)
{
    const std::string question = Tr("TopologyQuestion");
    console.SetHint(question, Tr("ToolTopologyHint"));
    if (value.empty())
        return true;
    if (value == "continue")
        console.SetAnswer(question, MsgAnswer::Yes);
    else if (value == "stop")
        console.SetAnswer(question, MsgAnswer::No);
    else
        return false;
    return true;
}

int Fail(const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", Tr(5002).c_str(), text.c_str());
    return 1;
}

std::string FormatNumber(float v)
{
    // The shortest text that reads back as the same float: 0.01, not 0.00999999978.
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, v);
    return std::string(text, r.ptr);
}

std::string JsonNumber(float v)
{
    return std::isfinite(v) ? FormatNumber(v) : "null";
}

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonPoint(const C3DPoint& p)
{
    return "[" + JsonNumber(p.m_x) + ", " + JsonNumber(p.m_y) + ", " + JsonNumber(p.m_z) + "]";
}

std::string TextPoint(const C3DPoint& p)
{
    return "(" + FormatNumber(p.m_x) + ", " + FormatNumber(p.m_y) + ", " + FormatNumber(p.m_z) + ")";
}
