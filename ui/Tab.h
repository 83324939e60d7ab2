#pragma once

#include "MessageKind.h"

#include <optional>

namespace velmora {

// The pages of the main window, in the order they are shown.
enum class Tab {
    TextSms = 0,
    OperatorLogo,
    GroupGraphic,
    PictureMessage,
    Ringtone,
    VoidMessage,
    Indicator,
    Ems
};

constexpr int kTabCount = 8;

// The page at a tab widget's index; nothing outside the pages.
constexpr std::optional<Tab> TabAt(int index) {
    if (index < 0 || index >= kTabCount)
        return std::nullopt;
    return static_cast<Tab>(index);
}

constexpr int IndexOf(Tab tab) { return static_cast<int>(tab); }

// What each page sends.
constexpr MessageKind KindOf(Tab tab) {
    switch (tab) {
    case Tab::TextSms:
        break;
    case Tab::OperatorLogo:
        return MessageKind::Logo;
    case Tab::GroupGraphic:
        return MessageKind::Group;
    case Tab::PictureMessage:
        return MessageKind::Picture;
    case Tab::Ringtone:
        return MessageKind::Ringtone;
    case Tab::VoidMessage:
        return MessageKind::Void;
    case Tab::Indicator:
        return MessageKind::Indicator;
    case Tab::Ems:
        return MessageKind::Ems;
    }
    return MessageKind::Text;
}

// The page that composes a kind of message.
constexpr Tab TabOf(MessageKind kind) {
    for (int i = 0; i < kTabCount; ++i)
        if (KindOf(static_cast<Tab>(i)) == kind)
            return static_cast<Tab>(i);
    return Tab::TextSms;
}

} // namespace velmora
