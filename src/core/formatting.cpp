#include "formatting.h"

#include <QRegularExpression>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <limits>

namespace kestrova {

int64_t RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint follows the default rounding mode, which rounds halves to even.
    const double r = std::nearbyint(value);
    if (r >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

namespace {

// The exact binary value rounded to `decimals` places, ties to even, with a '.' separator.
QString fixedDigits(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    decimals = std::clamp(decimals, 0, 18);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    QString s = QString::fromLatin1(buf);
    // A value that rounds to zero shows no sign.
    if (s.startsWith(u'-') && s.indexOf(QRegularExpression(QStringLiteral("[1-9]"))) < 0)
        s.remove(0, 1);
    return s;
}

QString groupThousands(const QString &intDigits)
{
    QString out;
    const int n = intDigits.size();
    for (int i = 0; i < n; ++i) {
        out += intDigits[i];
        const int left = n - 1 - i;
        if (left > 0 && left % 3 == 0)
            out += ThousandSeparator;
    }
    return out;
}

// Formats with a decimal comma and optional thousands grouping from the '.'-separated digits.
QString localize(const QString &digits, bool thousands)
{
    QString sign;
    QString s = digits;
    if (s.startsWith(u'-')) {
        sign = QStringLiteral("-");
        s.remove(0, 1);
    }
    const int dot = s.indexOf(u'.');
    QString intPart = dot < 0 ? s : s.left(dot);
    const QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if (thousands)
        intPart = groupThousands(intPart);
    return sign + intPart + (frac.isEmpty() ? QString() : QString(DecimalSeparator) + frac);
}

QString pad(const QString &s, int width, bool left)
{
    if (s.size() >= width)
        return s;
    return left ? s.leftJustified(width, u' ') : s.rightJustified(width, u' ');
}

QString generalFormat(double value, int precision)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    precision = std::clamp(precision, 1, 17);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", precision, value);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(u'e');
    if (e < 0)
        return localize(s, false);
    QString mantissa = localize(s.left(e), false);
    QString exp = s.mid(e + 1);
    QString expSign;
    if (exp.startsWith(u'-'))
        expSign = QStringLiteral("-");
    exp.remove(QRegularExpression(QStringLiteral("^[+-]")));
    while (exp.size() > 1 && exp.startsWith(u'0'))
        exp.remove(0, 1);
    return mantissa + u'E' + expSign + exp;
}

QString scientific(double value, int precision)
{
    if (!std::isfinite(value))
        value = 0;
    precision = std::clamp(precision, 1, 18);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", precision - 1, value);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(u'E');
    QString mantissa = localize(s.left(e), false);
    QString exp = s.mid(e + 1);
    const QChar expSign = exp.startsWith(u'-') ? u'-' : u'+';
    exp.remove(QRegularExpression(QStringLiteral("^[+-]")));
    return mantissa + u'E' + expSign + exp.rightJustified(3, u'0');
}

std::optional<double> asReal(const FormatArg &a)
{
    if (auto d = std::get_if<double>(&a.value()))
        return *d;
    if (auto i = std::get_if<int64_t>(&a.value()))
        return double(*i);
    return std::nullopt;
}

} // namespace

QString Format(QStringView pattern, std::initializer_list<FormatArg> args)
{
    const FormatArg *argv = args.begin();
    const int argc = int(args.size());
    int next = 0;
    QString out;
    const int n = int(pattern.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i + 1 < n && pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        int j = i + 1;
        auto readNumber = [&](int *value) {
            bool any = false;
            int v = 0;
            while (j < n && pattern[j].isDigit()) {
                v = std::min(v * 10 + pattern[j].digitValue(), 1000);
                ++j;
                any = true;
            }
            *value = v;
            return any;
        };
        int first = 0;
        const int save = j;
        if (readNumber(&first) && j < n && pattern[j] == u':') {
            next = first;
            ++j;
        } else {
            j = save;
        }
        bool left = false;
        if (j < n && pattern[j] == u'-') {
            left = true;
            ++j;
        }
        int width = 0;
        readNumber(&width);
        int precision = -1;
        if (j < n && pattern[j] == u'.') {
            ++j;
            readNumber(&precision);
        }
        if (j >= n)
            break;
        const QChar type = pattern[j].toLower();
        i = j;
        const FormatArg *arg = next < argc ? &argv[next] : nullptr;
        ++next;
        QString field;
        if (arg) {
            switch (type.unicode()) {
            case 'd':
            case 'u':
                if (auto v = std::get_if<int64_t>(&arg->value())) {
                    QString digits = QString::number(qlonglong(*v));
                    const bool neg = digits.startsWith(u'-');
                    if (neg)
                        digits.remove(0, 1);
                    if (precision > digits.size())
                        digits = digits.rightJustified(precision, u'0');
                    field = (neg ? QStringLiteral("-") : QString()) + digits;
                }
                break;
            case 'x':
                if (auto v = std::get_if<int64_t>(&arg->value())) {
                    QString digits = QString::number((unsigned long long)*v, 16).toUpper();
                    if (precision > digits.size())
                        digits = digits.rightJustified(precision, u'0');
                    field = digits;
                }
                break;
            case 'f':
            case 'n':
                if (auto v = asReal(*arg))
                    field = localize(fixedDigits(*v, precision < 0 ? 2 : precision), type == u'n');
                break;
            case 'g':
                if (auto v = asReal(*arg))
                    field = generalFormat(*v, precision < 0 ? 15 : precision);
                break;
            case 'e':
                if (auto v = asReal(*arg))
                    field = scientific(*v, precision < 0 ? 15 : precision);
                break;
            case 's':
                if (auto v = std::get_if<QString>(&arg->value()))
                    field = precision >= 0 ? v->left(precision) : *v;
                break;
            default:
                break;
            }
        }
        out += pad(field, width, left);
    }
    return out;
}

QString FormatFloat(QStringView pattern, double value)
{
    // Only the first section of a pattern is used ("pos;neg;zero" sections are not needed here).
    const int semi = pattern.indexOf(u';');
    if (semi >= 0)
        pattern = pattern.left(semi);
    int firstPh = -1, lastPh = -1;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'#' || c == u'0' || c == u'.' || c == u',') {
            if (firstPh < 0)
                firstPh = i;
            lastPh = i;
        }
    }
    if (firstPh < 0)
        return pattern.toString();
    const QStringView prefix = pattern.left(firstPh);
    const QStringView suffix = pattern.mid(lastPh + 1);
    const QStringView body = pattern.mid(firstPh, lastPh - firstPh + 1);
    const int dot = body.indexOf(u'.');
    const QStringView intPat = dot < 0 ? body : body.left(dot);
    const QStringView fracPat = dot < 0 ? QStringView() : body.mid(dot + 1);
    const int minInt = int(intPat.count(u'0'));
    const bool thousands = intPat.contains(u',');
    const int minFrac = int(fracPat.count(u'0'));
    const int maxFrac = minFrac + int(fracPat.count(u'#'));

    QString digits = fixedDigits(value, maxFrac);
    QString sign;
    if (digits.startsWith(u'-')) {
        sign = QStringLiteral("-");
        digits.remove(0, 1);
    }
    const int d = digits.indexOf(u'.');
    QString intPart = d < 0 ? digits : digits.left(d);
    QString frac = d < 0 ? QString() : digits.mid(d + 1);
    while (frac.size() > minFrac && frac.endsWith(u'0'))
        frac.chop(1);
    if (intPart == u"0" && minInt == 0)
        intPart.clear();
    if (intPart.size() < minInt)
        intPart = intPart.rightJustified(minInt, u'0');
    if (thousands)
        intPart = groupThousands(intPart);
    QString out = sign + intPart;
    if (!frac.isEmpty())
        out += DecimalSeparator + frac;
    return prefix.toString() + out + suffix.toString();
}

QString FloatToStr(double value)
{
    return generalFormat(value, 15);
}

QString FormatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FormatDateTime(const QDateTime &dateTime)
{
    return dateTime.isValid() ? dateTime.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
}

std::optional<QDate> ParseDate(QStringView text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    const auto m = re.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<double> TryParseDecimal(QStringView text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed().toString();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    QString c = t;
    c.replace(u',', u'.');
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double ParseDecimalOrZero(QStringView text)
{
    return TryParseDecimal(text).value_or(0.0);
}

std::optional<int64_t> TryParseInteger(QStringView text)
{
    const QString t = text.trimmed().toString();
    static const QRegularExpression dec(QStringLiteral("^[+-]?\\d+$"));
    static const QRegularExpression hex(QStringLiteral("^0[xX][0-9a-fA-F]+$"));
    bool ok = false;
    qlonglong v = 0;
    if (dec.match(t).hasMatch())
        v = t.toLongLong(&ok, 10);
    else if (hex.match(t).hasMatch())
        v = t.mid(2).toLongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    return int64_t(v);
}

int64_t ParseIntegerOrZero(QStringView text)
{
    return TryParseInteger(text).value_or(0);
}

} // namespace kestrova
