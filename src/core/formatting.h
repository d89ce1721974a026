#pragma once

// Number and date texts as the program shows and reads them: decimal comma, dd/mm/yyyy,
// rounding of halves to the even neighbour. Every conversion between numbers and the texts a
// user sees goes through here, so the decimal separator lives in one place.

#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <variant>

namespace kestrova {

inline constexpr QChar DecimalSeparator = u',';
inline constexpr QChar ThousandSeparator = u'.';

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int64_t RoundHalfEven(double value);

// One argument of Format: an integer, a real or a text.
class FormatArg
{
public:
    FormatArg(int v) : m_value(int64_t(v)) {}
    FormatArg(unsigned v) : m_value(int64_t(v)) {}
    FormatArg(long v) : m_value(int64_t(v)) {}
    FormatArg(long long v) : m_value(int64_t(v)) {}
    FormatArg(unsigned long v) : m_value(int64_t(v)) {}
    FormatArg(unsigned short v) : m_value(int64_t(v)) {}
    FormatArg(short v) : m_value(int64_t(v)) {}
    FormatArg(double v) : m_value(v) {}
    FormatArg(const QString &v) : m_value(v) {}
    FormatArg(const char *v) : m_value(QString::fromUtf8(v)) {}
    const std::variant<int64_t, double, QString> &value() const { return m_value; }

private:
    std::variant<int64_t, double, QString> m_value;
};

// Pascal-style Format: "%d", "%3d", "%2.2d" (precision = minimum digits), "%4.1f", "%6.2f",
// "%0.2f", "%10.6f", "%n" (thousands), "%s", "%-8s", "%%". Reals take the decimal comma.
// A specifier whose argument is missing or of the wrong kind gives an empty field.
QString Format(QStringView pattern, std::initializer_list<FormatArg> args);

// Display patterns: "##0.00", "#00", "###0", "#0.000", "#,##0.00" ('0' = a digit always shown,
// '#' = a digit shown when significant, ',' anywhere in the integer part = thousands).
QString FormatFloat(QStringView pattern, double value);

// Real in general format: up to 15 significant digits, no trailing zeros, decimal comma,
// exponent form "1,5E-7" for very small or very large values (as the text export writes them).
QString FloatToStr(double value);

// "dd/mm/yyyy" and "dd/mm/yyyy hh:nn:ss" texts.
QString FormatDate(const QDate &date);
QString FormatDateTime(const QDateTime &dateTime);
// A date typed as dd/mm/yyyy; nullopt when it is not a real calendar date (31/02/2000).
std::optional<QDate> ParseDate(QStringView text);

// Numbers typed by the user, with a decimal comma (surrounding blanks ignored).
std::optional<double> TryParseDecimal(QStringView text);   // unreadable is an error
double ParseDecimalOrZero(QStringView text);                // unreadable counts as 0
std::optional<int64_t> TryParseInteger(QStringView text);
int64_t ParseIntegerOrZero(QStringView text);

} // namespace kestrova
