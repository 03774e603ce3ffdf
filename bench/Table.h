// The benchmarks' one table: rows and notes the measures add, printed at the end.
#pragma once

#include <string>

#include "Stats.h"

// One line of the table. Timed rows show median (min-max) of both sides and their ratio.
struct Row {
    std::string measure;
    std::string program;
    std::string floor;
    std::string ratio;
    std::string target;
    std::string verdict;
};

// The row as added; it stays valid until the next row is added.
Row& AddRow(const Row& row);
// Median (min - max) of both sides, their ratio, and met or MISSED against the target.
Row& AddTimedRow(const std::string& measure, const Samples& program, const Samples& floor, double target);
void AddNote(const std::string& note);
void PrintTable(int runs);

// A line on the error stream while the benchmarks run.
void Progress(const char* format, ...);
std::string Format(const char* format, ...);
// 5028 as "5,028".
std::string Thousands(long long n);
