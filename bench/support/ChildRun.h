#pragma once
// A benchmark run again as a child process, for figures a process can give only once (its
// start, its first chapter). The child gets the arguments and, last, the number of a file
// descriptor to write its report to; the parent times the spawn to the report's first byte.

#include <string>
#include <vector>

struct ChildReport {
    bool ok = false;           // the child reported and exited with 0
    double msToReport = 0;     // from the spawn to the report's first byte
    std::string report;        // everything the child wrote to the descriptor
};

ChildReport runSelfAsChild(const std::vector<std::string>& arguments);

// Writes the report to the descriptor the parent gave; false when it cannot.
bool reportToParent(const std::string& descriptor, const std::string& report);

// The middle value (the upper one of an even count); 0 when there are none.
double median(std::vector<double> values);
