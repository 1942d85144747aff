// cGenUtil's formulas written plainly, without fault tests or environment guard:
// the yardstick for the cost of the library's checks.
#pragma once

#include <cstdint>
#include <string>

namespace plain {

double Min(double x, double y);
double Max(double x, double y);
double Avg(double x, double y);
double Log10(double x);
double Log10Sum(double x, double y);
double LogDBSum(double x, double y);
bool IsEqualAbs(double x, double y, double tol);
bool IsEqualRel(double x, double y, double tol);
bool IntToBin(std::int16_t n, std::u16string& text);
bool BinToInt(const std::u16string& text, std::int16_t& n);
bool LongToBin(std::int32_t n, std::u16string& text);
bool BinToLong(const std::u16string& text, std::int32_t& n);

}  // namespace plain
