// The SPF halves of the tool's commands. SPF files are not yet recognised or
// read by the tool: each command says so and fails.
#include "tool/FormatCommands.h"

bool LooksLikeSpf(const std::string&) { return false; }

int InfoSpf(const CInfoOptions&) { return NotSupportedYet("info", FileFormat::Spf); }
int VerifySpf(const std::string&) { return NotSupportedYet("verify", FileFormat::Spf); }
