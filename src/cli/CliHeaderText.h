#pragma once
#include "io/ByteStream.h"

#include <functional>
#include <string>
#include <string_view>

// The text header of a CLI file: "$$HEADERSTART", one keyword per line
// ("$$UNITS/0.01"), comments between two "//" marks, "$$HEADEREND".

enum class HeaderLine { Nothing, CommentOpen, Keyword, KeywordWithParameter };

// Parses one piece of header text (a token, or the pending text of an open
// comment with the next token appended). Leading "$" characters are removed
// from the keyword; the parameter is the text after the first "/".
HeaderLine ParseHeaderLine(std::string_view text, std::string& keyword, std::string& parameter);

// Reads header tokens from the start of the stream, hands every keyword to
// apply(keyword, parameter) and stops right behind "$$HEADEREND". The end of
// the stream ends the last token; false when it comes before "$$HEADEREND".
bool ReadHeaderKeywords(CByteStream& stream,
                        const std::function<void(const std::string&, const std::string&)>& apply);

// A number at the start of a header value, as the C library's atof/atoi read
// it ("00000000.010000", "-0000069.945", "000082"); text that is no number gives 0.
double ParseLeadingNumber(std::string_view text);
long long ParseLeadingInteger(std::string_view text);
