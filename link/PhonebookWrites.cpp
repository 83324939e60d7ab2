#include "PhoneSession.h"

#include "PhonebookReplies.h"
#include "Said.h"
#include "Strings.h"

#include <algorithm>

namespace velmora {

namespace {

// The places a survey asks for in one AT+CPBR=first,last: a phone may cap
// the range it lists at once, and a short answer keeps within the deadline
// at any speed.
constexpr int kPlacesAnswered = 50;

// "+CME ERROR: 22" (TS 27.007 9.2: not found), as a number or in words: the
// places asked for are empty.
bool NothingFound(const std::string& finalLine) {
    return finalLine == "+CME ERROR: 22" || finalLine == "+CME ERROR: not found" ||
           finalLine == "+CME ERROR: NOT FOUND";
}

SimBookOutcome Problem(SimBookProblem problem, int index = 0, std::string detail = {}) {
    SimBookOutcome o;
    o.problem = problem;
    o.index = index;
    o.detail = std::move(detail);
    return o;
}

int PlaceNumber(const std::string& index) {
    const std::string_view digits(index);
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789 ") != std::string_view::npos)
        return -1;
    return LeadingNumber(digits);
}

} // namespace

bool PhonebookSurvey::Ucs2Offered() const {
    return std::any_of(charsets.begin(), charsets.end(),
                       [](const std::string& set) { return Upper(set) == "UCS2"; });
}

const PhonebookEntry* PhonebookSurvey::At(int index) const {
    for (const PhonebookEntry& e : entries)
        if (PlaceNumber(e.index) == index)
            return &e;
    return nullptr;
}

std::vector<int> PhonebookSurvey::FreePlaces() const {
    std::vector<int> free;
    for (int index = limits.first; index <= limits.last; ++index)
        if (!At(index))
            free.push_back(index);
    return free;
}

PhonebookSurvey PhoneSession::SurveyPhonebook() {
    PhonebookSurvey survey;
    if (!IsConnected()) {
        survey.outcome = Problem(SimBookProblem::NotConnected);
        return survey;
    }
    if (m_dialogue != Dialogue::Fast) {
        survey.outcome = Problem(SimBookProblem::NeedsFast);
        return survey;
    }
    SetPolling(false);
    try {
        m_events.Status(translate("PhoneSession", "Get phone book limits"));
        const bool described = Exchange("AT+CPBR=?\r", kFast.commandMs) == FinalResult::Ok;
        const auto limits = described ? ParsePhonebookLimits(m_reader.Answer()) : std::nullopt;
        if (!limits) {
            survey.outcome = Problem(SimBookProblem::NoBook, 0, PhoneRefusal(m_reader.Answer()));
            SetPolling(true);
            return survey;
        }
        survey.limits = *limits;
        survey.outcome.limits = *limits;
        // A phone that will not say speaks IRA, the set every phone takes.
        survey.charset = "IRA";
        if (Exchange("AT+CSCS?\r", kFast.commandMs) == FinalResult::Ok)
            if (std::string now = ParseCharsetNow(m_reader.Answer()); !now.empty())
                survey.charset = now;
        if (Exchange("AT+CSCS=?\r", kFast.commandMs) == FinalResult::Ok)
            survey.charsets = ParseCharsetsOffered(m_reader.Answer());
        for (int first = limits->first; first <= limits->last; first += kPlacesAnswered) {
            const int last = std::min(limits->last, first + kPlacesAnswered - 1);
            m_events.Status(
                Fill(translate("PhoneSession", "Get contact from SIM (%1)"), {std::to_string(first)}));
            m_events.Progress(first - limits->first, limits->last - limits->first + 1);
            const FinalResult result = Exchange(
                "AT+CPBR=" + std::to_string(first) + "," + std::to_string(last) + "\r", kFast.listMs);
            if (result != FinalResult::Ok) {
                if (NothingFound(m_reader.FinalLine()))
                    continue;
                // Not knowing which places are filled, nothing may be written.
                survey.outcome = Problem(SimBookProblem::NoBook, 0, PhoneRefusal(m_reader.Answer()));
                break;
            }
            for (const std::string& line : m_reader.Lines()) {
                PhonebookEntry entry = ParsePhonebookReply(line);
                const int index = PlaceNumber(entry.index);
                if (entry.found && index >= first && index <= last)
                    survey.entries.push_back(std::move(entry));
            }
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        survey.outcome = Problem(SimBookProblem::NotConnected);
        return survey;
    }
    if (survey.ok())
        m_events.Status(
            Fill(translate("PhoneSession", "Found (%1) Contacts"), {std::to_string(survey.entries.size())}));
    SetPolling(true);
    return survey;
}

PhonebookEntry PhoneSession::ReadPhonebookPlace(int index, bool& answered) {
    const FinalResult result = Exchange("AT+CPBR=" + std::to_string(index) + "\r", kFast.commandMs);
    answered = result == FinalResult::Ok || NothingFound(m_reader.FinalLine());
    for (const std::string& line : m_reader.Lines())
        if (PhonebookEntry entry = ParsePhonebookReply(line);
            entry.found && PlaceNumber(entry.index) == index)
            return entry;
    return {};
}

SimBookOutcome PhoneSession::WritePhonebookEntry(const PhonebookSurvey& survey, const SimEntry& entry,
                                                 bool overwrite) {
    if (!survey.ok())
        return survey.outcome;
    if (!IsConnected())
        return Problem(SimBookProblem::NotConnected, entry.index);
    if (m_dialogue != Dialogue::Fast)
        return Problem(SimBookProblem::NeedsFast, entry.index);
    const PreparedEntry prepared =
        PrepareSimEntry(entry, survey.limits, survey.Current(), survey.Ucs2Offered());
    if (!prepared.outcome.ok())
        return prepared.outcome;
    SimBookOutcome outcome = prepared.outcome;
    SetPolling(false);
    try {
        // The survey may be old: the place is asked again right before it is
        // written, so nothing is lost that was put there since.
        if (!overwrite) {
            bool answered = false;
            const PhonebookEntry there = ReadPhonebookPlace(entry.index, answered);
            if (there.found || !answered) {
                outcome.problem = there.found ? SimBookProblem::PlaceFilled : SimBookProblem::PhoneRefused;
                outcome.detail = there.found ? there.name : PhoneRefusal(m_reader.Answer());
                SetPolling(true);
                return outcome;
            }
        }
        const bool switchSet = prepared.name.charset != survey.Current();
        if (switchSet) {
            if (Exchange(std::string("AT+CSCS=\"") + CharsetName(prepared.name.charset) + "\"\r",
                         kFast.commandMs) != FinalResult::Ok) {
                outcome.problem = SimBookProblem::CharsetRefused;
                outcome.detail = PhoneRefusal(m_reader.Answer());
                SetPolling(true);
                return outcome;
            }
        }
        m_events.Status(
            Fill(translate("PhoneSession", "Write contact to SIM (%1)"), {std::to_string(entry.index)}));
        const std::string command = "AT+CPBW=" + std::to_string(entry.index) + ",\"" +
                                    prepared.number.number + "\"," + std::to_string(prepared.number.type) +
                                    ",\"" + prepared.name.name.bytes + "\"\r";
        if (Exchange(command, kFast.commandMs) != FinalResult::Ok) {
            outcome.problem = SimBookProblem::PhoneRefused;
            outcome.detail = PhoneRefusal(m_reader.Answer());
            if (outcome.detail.empty())
                outcome.detail = m_reader.FinalLine();
        }
        // Back to the set the phone spoke, so reads go on as before.
        if (switchSet)
            Exchange("AT+CSCS=\"" + survey.charset + "\"\r", kFast.commandMs);
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return Problem(SimBookProblem::NotConnected, entry.index);
    }
    SetPhoneBookStale();
    SetPolling(true);
    return outcome;
}

SimBookOutcome PhoneSession::DeletePhonebookEntry(const PhonebookSurvey& survey, int index) {
    if (!survey.ok())
        return survey.outcome;
    if (!IsConnected())
        return Problem(SimBookProblem::NotConnected, index);
    if (m_dialogue != Dialogue::Fast)
        return Problem(SimBookProblem::NeedsFast, index);
    if (!survey.limits.Holds(index)) {
        SimBookOutcome o = Problem(SimBookProblem::IndexOutside, index);
        o.limits = survey.limits;
        return o;
    }
    SimBookOutcome outcome = Problem(SimBookProblem::None, index);
    outcome.limits = survey.limits;
    SetPolling(false);
    try {
        m_events.Status(
            Fill(translate("PhoneSession", "Delete contact from SIM (%1)"), {std::to_string(index)}));
        if (Exchange("AT+CPBW=" + std::to_string(index) + "\r", kFast.commandMs) != FinalResult::Ok) {
            outcome.problem = SimBookProblem::PhoneRefused;
            outcome.detail = PhoneRefusal(m_reader.Answer());
            if (outcome.detail.empty())
                outcome.detail = m_reader.FinalLine();
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return Problem(SimBookProblem::NotConnected, index);
    }
    SetPhoneBookStale();
    SetPolling(true);
    return outcome;
}

} // namespace velmora
