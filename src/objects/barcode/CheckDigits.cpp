#include "objects/barcode/CheckDigits.h"

namespace pgx::barcode {

namespace {

int digitAt(const QString &digits, qsizetype i)
{
    return digits.at(i).unicode() - u'0';
}

// Digits weighted alternately from the right, the rightmost by `first`.
int weightedFromRight(const QString &digits, int first, int second)
{
    int sum = 0;
    for (qsizetype i = digits.size() - 1, n = 0; i >= 0; --i, ++n)
        sum += digitAt(digits, i) * (n % 2 == 0 ? first : second);
    return sum;
}

}   // namespace

int modulo10(const QString &digits)
{
    const int s = weightedFromRight(digits, 3, 1) % 10;
    return s == 0 ? 0 : 10 - s;
}

int supplementCheck(const QString &digits)
{
    return weightedFromRight(digits, 3, 9) % 10;
}

int msiCheck(const QString &digits)
{
    int sum = 0;
    for (qsizetype i = digits.size() - 1, n = 0; i >= 0; --i, ++n) {
        const int d = digitAt(digits, i) * (n % 2 == 0 ? 2 : 1);
        sum += d / 10 + d % 10;
    }
    return sum % 10 == 0 ? 0 : 10 - sum % 10;
}

int code39Check(const std::vector<int> &values)
{
    int sum = 0;
    for (int v : values)
        sum += v;
    return sum % 43;
}

std::pair<int, int> code93Checks(const std::vector<int> &values)
{
    int cSum = 0;
    int kSum = 0;
    const int n = int(values.size());
    for (int i = n - 1, pos = 0; i >= 0; --i, ++pos) {
        cSum += values[size_t(i)] * (pos % 20 + 1);
        kSum += values[size_t(i)] * ((pos + 1) % 15 + 1);
    }
    const int c = cSum % 47;
    return {c, (kSum + c) % 47};
}

int code128Check(int startValue, const std::vector<int> &values)
{
    long long sum = startValue;
    for (size_t i = 0; i < values.size(); ++i)
        sum += (long long)values[i] * (long long)(i + 1);
    return int(sum % 103);
}

}   // namespace pgx::barcode
