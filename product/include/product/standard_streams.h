#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

// How DIB Lab's programs end when their input or output fails, as GNU programs do: one line on
// standard error naming what failed and why, and exit status 1. Nothing a program writes is lost
// unnoticed: standard output is flushed and checked before the program ends.
namespace product {

inline constexpr int kFailureStatus = 1;

// The line for standard error: "PROGRAM: FAILURE: REASON" and a line break, as in
// "diblab-probe: cannot read standard input: Is a directory".
std::string failureText(std::string_view program, std::string_view failure,
                        std::string_view reason);

// Watches a program's standard streams for as long as it lives. Reading std::cin throws
// std::ios_base::failure, whose code() is the system's reason, when a read fails, instead of
// ending as if the input were over. Writing std::cout keeps the reason of the first write that
// fails; finish() reports it.
class StandardStreams {
public:
    explicit StandardStreams(std::string_view program);
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    // Writes the line for a failure on standard error and returns kFailureStatus.
    int fail(std::string_view failure, const std::error_code& reason) const;

    // Flushes standard output. Returns `status`, or kFailureStatus after a line on standard error
    // when anything written to standard output was lost.
    int finish(int status);

private:
    class CheckedOutput;

    std::string m_program;
    std::unique_ptr<CheckedOutput> m_output;
    std::streambuf* m_previousOutput = nullptr;
};

}  // namespace product
