// Strings and number conversion over std::string and C strings: number parsing
// with fixed clamps, decimal formatting, trimming, case change, searching
// (plain and outside double-quoted strings), block removal, identifier checks,
// comma-separated fields and the line readers of the keyword tables.
// All texts are 8-bit; only the 26 Latin letters count as letters. No function
// keeps state or reports errors: bad input gives 0, -1 or the empty string.
#pragma once

#include <istream>
#include <string>

extern const char gEngTextSimbChar[];              // the 52 Latin letters
extern const char gEngVarNameCharCPPAftFirst[];    // digits, '_' and letters
extern const char gEngVarNameCharCPGenAftFirst[];  // '.', ':', digits, '_' and letters
extern const char gWordDelimChars[];               // ends a name read after a keyword

// Number parsing: the leading number of the text as atoi/atof read it
// (leading white space, optional sign, digits), then the clamp of each type.
unsigned char SToByte(const std::string& s);
short SToShort(const std::string& s);
unsigned short SToUShort(const std::string& s);
int SToInt(const std::string& s);
unsigned int SToUInt(const std::string& s);
float SToFlo(const std::string& s);
double SToDbl(const std::string& s);

// Formatting.
std::string IntToS(int v);
std::string IntToS(int v, int width);  // zero-filled for widths 2..10
std::string ByteToS(unsigned char v);
std::string MixForString64(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string MixForString300(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Case and trimming (blanks are space and tab only).
std::string TextUpperS(const std::string& s);
std::string TextLowerS(const std::string& s);
std::string TextTrimS(const std::string& s);

// Searching and comparing.
int TextPos(const char* hay, const std::string& needle, int from);
int TextPos(const std::string& hay, const std::string& needle, int from);
int TextPartSame(const std::string& a, int ia, const std::string& b, int ib, int n);
int FindInLineIgnorStrings(const std::string& line, const std::string& what, int from, int nth);
int EngTextSimb(char ch);
int EngTextSimb(unsigned char ch);
int EngTextSimb(const std::string& text, int index);
std::string AnTextWordFrom(const std::string& text, int from, int& end, const char* delimiters);

// Replacing and removing.
std::string TextReplaceS(const std::string& text, const std::string& from, const std::string& to);
int RemoveBloksFromString(std::string& text, const std::string& open, const std::string& close);
int RemoveBloksFrLineWfStrings(std::string& text, const std::string& open, const std::string& close);

// Identifier checks (on a trimmed copy).
int ValidNameVarCPP(const std::string& name);
int ValidNameVarCPGen(const std::string& name);

// Line readers over text input streams. A line that ends at the end of the
// file (also a last line without a line end) counts as the end of the file.
// Lines are read as Windows text mode did: a CR right before the LF is dropped.
bool TextGetLine(std::istream& in, std::string& line);
int findInStrBEGIN(std::string& line, std::istream& in);
int findNonEmptyStr(std::string& line, std::istream& in);
int findInStrEND(const std::string& line);
std::string NextStringBefComa(const std::string& text, int& pos);
void NextStringBefComa(std::string& out, const std::string& text, int& pos);
void StringLinkLinesRead(std::string& line, std::istream& in);
int BigKomentSkipRead(std::string& line, std::istream& in);
int SMasFind_PreWord_AnyName(const std::string* lines, int index, int count, const std::string& keyword, int from,
                             int& keyPos, int& keyLen, int& nameLine, int& namePos, int& nameLen);
int SMF_PreWord_AnyName_(const std::string& name, int line, int column, int& nameLine, int& namePos, int& nameLen);
