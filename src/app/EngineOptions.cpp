#include "app/EngineOptions.hpp"

#include "common/SpellDictionaries.hpp"
#include "engine/webkit/WebSession.hpp"
#include "settings/OptionsModel.hpp"

namespace larkspan {

void followEngineOptions(OptionsModel& options, const std::shared_ptr<WebSession>& session) {
    std::weak_ptr<WebSession> weak = session;
    options.follow([&options, weak](OptionId id, OptionsModel::Cause) {
        std::shared_ptr<WebSession> s = weak.lock();
        if (!s) return;
        if (id == OptionId::SpellChecking) {
            s->setSpellChecking(options.spellChecking, spelling::checkedLanguages());
        } else if (id == OptionId::HardwareAcceleration) {
            s->setHardwareAcceleration(options.hardwareAcceleration);
        } else if (id == OptionId::SecureOnly) {
            s->setSecureOnly(options.secureOnly);
        }
    });
}

}  // namespace larkspan
