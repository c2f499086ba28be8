#include "shell/MailLink.hpp"

#include "common/Dialogs.hpp"

namespace larkspan {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

template <typename Keep>
void appendEncoded(std::string& out, std::string_view text, Keep keep) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80 && keep(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
}

std::string_view trimmed(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string mailtoAddress(std::string_view address, std::string_view subject) {
    std::string out = "mailto:";
    appendEncoded(out, trimmed(address), [](unsigned char c) {
        return isUnreserved(c) || c == '@' || c == '+' || c == ',';
    });
    out += "?subject=";
    appendEncoded(out, subject, [](unsigned char c) { return isUnreserved(c); });
    return out;
}

void askMailLink(Gtk::Window* parent, std::function<void(const std::string& link)> done) {
    dialogs().input(parent, "Enter email address", "email", "",
                    [parent, done = std::move(done)](std::optional<std::string> address) {
                        if (!address) return;
                        dialogs().input(parent, "Enter subject for email", "subject", "",
                                        [address, done](std::optional<std::string> subject) {
                                            if (subject) done(mailtoAddress(*address, *subject));
                                        });
                    });
}

}  // namespace larkspan
