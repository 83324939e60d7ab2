#include "PhonebookWords.h"

#include <QCoreApplication>

namespace velmora {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("Phonebook", text); }
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
        return Tr("Writing to the SIM's phone book needs the fast dialogue (Communication > Fast "
                  "Dialogue, or --fast).");
    case SimBookProblem::NotConnected:
        return Tr("The phone is not connected; nothing was written.");
    case SimBookProblem::NoBook:
        return o.detail.empty()
                   ? Tr("The phone did not describe its SIM phone book, so nothing can be written to it.")
                   : Tr("The phone did not describe its SIM phone book (%1), so nothing can be written to "
                        "it.")
                         .arg(Latin1(o.detail));
    case SimBookProblem::IndexOutside:
        return Tr("Place %1 is not in the SIM's phone book, which has places %2 to %3.")
            .arg(o.index)
            .arg(l.first)
            .arg(l.last);
    case SimBookProblem::PlaceFilled:
        return Tr("Place %1 holds \"%2\" already; it was not written over.")
            .arg(o.index)
            .arg(Latin1(o.detail));
    case SimBookProblem::PlaceEmpty:
        return Tr("Place %1 of the SIM's phone book is empty; there is nothing to delete.").arg(o.index);
    case SimBookProblem::NumberEmpty:
        return Tr("The entry has no number.");
    case SimBookProblem::NotANumber:
        return Tr("\"%1\" is not a phone number: it must be 1 to 20 digits, with a + in front for an "
                  "international one.")
            .arg(QString::fromStdString(o.detail));
    case SimBookProblem::NumberTooLong:
        return Tr("The number \"%1\" is longer than the %2 digits the SIM holds.")
            .arg(QString::fromStdString(o.detail))
            .arg(l.numberLength);
    case SimBookProblem::NameUnholdable:
        return Tr("The SIM cannot hold %1 in a name; write the name without them.")
            .arg(QString::fromStdString(o.detail));
    case SimBookProblem::NameTooLong:
        return Tr("The name is longer than the %1 characters the SIM holds.").arg(o.capacity);
    case SimBookProblem::CharsetRefused:
        return Tr("The phone would not take the name in UCS2 (%1); nothing was written.")
            .arg(o.detail.empty() ? Tr("no reason given") : Latin1(o.detail));
    case SimBookProblem::PhoneRefused:
        return Tr("The phone refused place %1: %2").arg(o.index).arg(Latin1(o.detail));
    }
    return QString();
}

QString SimLimitsText(const SimBookLimits& l, const QString& charset) {
    const QString places = Tr("Places %1 to %2").arg(l.first).arg(l.last);
    const QString numbers = l.numberLength > 0 ? Tr("numbers of up to %1 digits").arg(l.numberLength)
                                               : Tr("numbers of any length the phone takes");
    const QString names = l.nameLength > 0 ? Tr("names of up to %1 characters").arg(l.nameLength)
                                           : Tr("names of any length the phone takes");
    return Tr("%1, %2, %3 (%4)").arg(places, numbers, names, charset);
}

QString UnfitText(const UnfitEntry& u) {
    switch (u.reason) {
    case UnfitReason::NoPlace:
        return Tr("no free place left");
    case UnfitReason::AlreadyOn:
        return u.place > 0 ? Tr("the SIM has this number at place %1").arg(u.place)
                           : Tr("the SIM has this number already");
    case UnfitReason::Number:
    case UnfitReason::Name:
        break;
    }
    return SimBookProblemText(u.outcome);
}

} // namespace velmora
