#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzz targets: each reads one input the way the program meets such bytes and checks what
// must hold for any input. libFuzzer runs them in the fuzz build; the regression test runs them
// on the inputs that once failed.
namespace fuzz {

// The first input byte picks the file name, the rest is the word list.
int fuzzKvtml(const std::uint8_t* data, std::size_t size);
int fuzzDelimited(const std::uint8_t* data, std::size_t size);
// The XML scanner of the word list reader beside Qt's reader.
int fuzzXml(const std::uint8_t* data, std::size_t size);
// Pairs made from the input, exported in both formats and imported again.
int fuzzRoundTrip(const std::uint8_t* data, std::size_t size);
// Stored files: the first byte says whether the lines are given plain (the target scrambles
// them) or as stored; the files of one input are separated by FileSeparator.
int fuzzUserList(const std::uint8_t* data, std::size_t size);
int fuzzLessonFile(const std::uint8_t* data, std::size_t size);
int fuzzListFile(const std::uint8_t* data, std::size_t size);
int fuzzResults(const std::uint8_t* data, std::size_t size);
int fuzzHandOff(const std::uint8_t* data, std::size_t size);
// The file of a lesson's boxes.
int fuzzBoxes(const std::uint8_t* data, std::size_t size);

using Entry = int (*)(const std::uint8_t*, std::size_t);
struct Target
{
    const char* name; // also the folder of its corpus and regression inputs
    Entry entry;
};
inline constexpr Target Targets[] = {
    {"kvtml", fuzzKvtml},       {"delimited", fuzzDelimited},   {"roundtrip", fuzzRoundTrip},
    {"userlist", fuzzUserList}, {"lessonfile", fuzzLessonFile}, {"listfile", fuzzListFile},
    {"results", fuzzResults},   {"handoff", fuzzHandOff},       {"xml", fuzzXml},
    {"boxes", fuzzBoxes}};

inline constexpr char FileSeparator = '\x1E';
// Stands for the program directory in hand-off inputs, which name files by their full path.
inline constexpr char TreeToken[] = "$TREE/";
// First bytes of stored-file inputs.
inline constexpr char PlainLines = 'P';
inline constexpr char StoredBytes = 'S';

// A fact that every input must keep. When it fails, the handler hears of it; without one the
// process aborts, which libFuzzer reports with the input.
using FailureHandler = void (*)(const char* fact);
void setFailureHandler(FailureHandler handler);
void expect(bool holds, const char* fact);

// Helpers of the targets and the seed maker.
[[nodiscard]] QByteArray bytesOf(const std::uint8_t* data, std::size_t size);
// Exactly count files; missing ones are empty.
[[nodiscard]] QList<QByteArray> filesOf(const QByteArray& input, qsizetype count);
// A stored-file input: its mode byte and its files.
[[nodiscard]] QByteArray storedInput(const QList<QByteArray>& files, char mode);
// Every line scrambled (or unscrambled: it is the same), line ends kept as they are.
[[nodiscard]] QByteArray scrambledLines(const QByteArray& text);
// The program directory of one run, emptied before each, with a trailing "/".
[[nodiscard]] QString freshProgramDir();
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace fuzz
