#pragma once

#include <QString>

#include <stdexcept>

namespace brenlow {

// Error numbers the fatal report shows; the usual numbering of the runtime the program's
// data suppliers know.
enum class ErrorNumber : int {
    InvalidArgument = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileNotFound = 53,
    PathFileAccess = 75,
    InternalError = 51,
};

// An error that ends start-up through the fatal report: number, description and source.
class AppError : public std::runtime_error
{
public:
    AppError(ErrorNumber number, const QString &description, const QString &source)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description),
          source_(source)
    { }

    int Number() const { return static_cast<int>(number_); }
    ErrorNumber Kind() const { return number_; }
    const QString &Description() const { return description_; }
    const QString &Source() const { return source_; }

private:
    ErrorNumber number_;
    QString description_;
    QString source_;
};

// The short standard meaning of an error number, as an error's description begins
// ("Type mismatch" for 13).
QString ErrorMeaning(ErrorNumber number);

// Source of every error the program raises itself: the program's title.
QString ErrorSource();

} // namespace brenlow
