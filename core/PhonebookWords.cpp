#include "PhonebookWords.h"

#include <QCoreApplication>

namespace velmora {

namespace {

QString Latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

QString SimBookProblemText(const SimBookOutcome& o) {
    const SimBookLimits& l = o.limits;
    switch (o.problem) {
    case SimBookProblem::None:
        return QString();
    case SimBookProblem::NeedsFast:
        return QCoreApplication::translate(
            "Phonebook", "Writing to the SIM's phone book needs the fast dialogue (Communication > Fast "
                         "Dialogue, or --fast).");
    case SimBookProblem::NotConnected:
        return QCoreApplication::translate("Phonebook", "The phone is not connected; nothing was written.");
    case SimBookProblem::NoBook:
        return o.detail.empty()
                   ? QCoreApplication::translate(
                         "Phonebook",
                         "The phone did not describe its SIM phone book, so nothing can be written to it.")
                   : QCoreApplication::translate(
                         "Phonebook",
                         "The phone did not describe its SIM phone book (%1), so nothing can be written to "
                         "it.")
                         .arg(Latin1(o.detail));
    case SimBookProblem::IndexOutside:
        return QCoreApplication::translate(
                   "Phonebook", "Place %1 is not in the SIM's phone book, which has places %2 to %3.")
            .arg(o.index)
            .arg(l.first)
            .arg(l.last);
    case SimBookProblem::PlaceFilled:
        return QCoreApplication::translate("Phonebook",
                                           "Place %1 holds \"%2\" already; it was not written over.")
            .arg(o.index)
            .arg(Latin1(o.detail));
    case SimBookProblem::PlaceEmpty:
        return QCoreApplication::translate(
                   "Phonebook", "Place %1 of the SIM's phone book is empty; there is nothing to delete.")
            .arg(o.index);
    case SimBookProblem::NumberEmpty:
        return QCoreApplication::translate("Phonebook", "The entry has no number.");
    case SimBookProblem::NotANumber:
        return QCoreApplication::translate(
                   "Phonebook",
                   "\"%1\" is not a phone number: it must be 1 to 20 digits, with a + in front for an "
                   "international one.")
            .arg(QString::fromStdString(o.detail));
    case SimBookProblem::NumberTooLong:
        return QCoreApplication::translate("Phonebook",
                                           "The number \"%1\" is longer than the %2 digits the SIM holds.")
            .arg(QString::fromStdString(o.detail))
            .arg(l.numberLength);
    case SimBookProblem::NameUnholdable:
        return QCoreApplication::translate("Phonebook",
                                           "The SIM cannot hold %1 in a name; write the name without them.")
            .arg(QString::fromStdString(o.detail));
    case SimBookProblem::NameTooLong:
        return QCoreApplication::translate("Phonebook",
                                           "The name is longer than the %1 characters the SIM holds.")
            .arg(o.capacity);
    case SimBookProblem::CharsetRefused:
        return QCoreApplication::translate(
                   "Phonebook", "The phone would not take the name in UCS2 (%1); nothing was written.")
            .arg(o.detail.empty() ? QCoreApplication::translate("Phonebook", "no reason given")
                                  : Latin1(o.detail));
    case SimBookProblem::PhoneRefused:
        return QCoreApplication::translate("Phonebook", "The phone refused place %1: %2")
            .arg(o.index)
            .arg(Latin1(o.detail));
    }
    return QString();
}

QString SimLimitsText(const SimBookLimits& l, const QString& charset) {
    const QString places =
        QCoreApplication::translate("Phonebook", "Places %1 to %2").arg(l.first).arg(l.last);
    const QString numbers =
        l.numberLength > 0
            ? QCoreApplication::translate("Phonebook", "numbers of up to %1 digits").arg(l.numberLength)
            : QCoreApplication::translate("Phonebook", "numbers of any length the phone takes");
    const QString names =
        l.nameLength > 0
            ? QCoreApplication::translate("Phonebook", "names of up to %1 characters").arg(l.nameLength)
            : QCoreApplication::translate("Phonebook", "names of any length the phone takes");
    return QCoreApplication::translate("Phonebook", "%1, %2, %3 (%4)").arg(places, numbers, names, charset);
}

QString UnfitText(const UnfitEntry& u) {
    switch (u.reason) {
    case UnfitReason::NoPlace:
        return QCoreApplication::translate("Phonebook", "no free place left");
    case UnfitReason::AlreadyOn:
        return u.place > 0 ? QCoreApplication::translate("Phonebook", "the SIM has this number at place %1")
                                 .arg(u.place)
                           : QCoreApplication::translate("Phonebook", "the SIM has this number already");
    case UnfitReason::Number:
    case UnfitReason::Name:
        break;
    }
    return SimBookProblemText(u.outcome);
}

} // namespace velmora
