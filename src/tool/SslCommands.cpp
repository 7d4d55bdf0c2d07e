// The SSL halves of the tool's commands. SSL files are recognised but not yet
// read by the tool: each command says so and fails.
#include "tool/FormatCommands.h"

int InfoSsl(const CInfoOptions&) { return NotSupportedYet("info", FileFormat::Ssl); }
int VerifySsl(const std::string&) { return NotSupportedYet("verify", FileFormat::Ssl); }
int MoveSsl(const std::string&, const std::string&) { return NotSupportedYet("move-to-origin", FileFormat::Ssl); }
