// The table the benchmarks print: one row a measure, the notes under it.
#include "Table.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "Resources.h"

namespace {

std::vector<Row> g_rows;
std::vector<std::string> g_notes;

std::string Duration(double ms)
{
    if (ms < 1.0) return Format("%.1f us", ms * 1000.0);
    if (ms < 100.0) return Format("%.2f ms", ms);
    return Format("%.0f ms", ms);
}

std::string Spread(const Samples& s)
{
    return Duration(s.Median()) + " (" + Duration(s.Min()) + " - " + Duration(s.Max()) + ")";
}

}  // namespace

void Progress(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
    fflush(stderr);
}

std::string Format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Thousands(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return (n < 0 ? "-" : "") + out;
}

Row& AddRow(const Row& row)
{
    g_rows.push_back(row);
    return g_rows.back();
}

Row& AddTimedRow(const std::string& measure, const Samples& program, const Samples& floor, double target)
{
    double ratio = floor.Median() > 0 ? program.Median() / floor.Median() : 0;
    return AddRow({measure, Spread(program), Spread(floor), Format("%.2f", ratio), Format("<= %.1f", target),
                   ratio <= target ? "met" : "MISSED"});
}

void AddNote(const std::string& note)
{
    g_notes.push_back(note);
}

void PrintTable(int runs)
{
    Row header = {"Measure", "Typoscope: median (min - max)", "Floor: median (min - max)", "Ratio", "Target", "Result"};
    std::vector<Row> rows = {header};
    rows.insert(rows.end(), g_rows.begin(), g_rows.end());
    size_t widths[6] = {};
    for (const Row& row : rows) {
        const std::string* cells[6] = {&row.measure, &row.program, &row.floor, &row.ratio, &row.target, &row.verdict};
        for (int i = 0; i < 6; ++i) widths[i] = std::max(widths[i], cells[i]->size());
    }
    printf("Typoscope benchmarks on %s: %d runs each after one warm-up run; floors measured in the same run.\n",
           PlatformName().c_str(), runs);
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const std::string* cells[6] = {&row.measure, &row.program, &row.floor, &row.ratio, &row.target, &row.verdict};
        std::string line = "|";
        for (int i = 0; i < 6; ++i) {
            std::string cell = *cells[i];
            cell.resize(widths[i], ' ');
            line += " " + cell + " |";
        }
        printf("%s\n", line.c_str());
        if (r == 0) {
            std::string rule = "|";
            for (int i = 0; i < 6; ++i) rule += std::string(widths[i] + 2, '-') + "|";
            printf("%s\n", rule.c_str());
        }
    }
    for (const std::string& note : g_notes) printf("- %s\n", note.c_str());
    fflush(stdout);
}

