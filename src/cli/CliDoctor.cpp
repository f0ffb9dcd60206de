// vexor-cli doctor: one line per port of the table saying whether a
// controller answers there and, when not, what stops it.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"
#include "common/IError.h"
#include "common/PrintableText.h"
#include "connect/PortDoctor.h"
#include "lang/Translate.h"
#include "platform/PortTable.h"

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgNoPorts = "Brak portów szeregowych do sprawdzenia";
constexpr const char* kMsgRememberedGone = "Zapamiętanego portu już nie ma: %1";

} // namespace

int CCliCommands::cmdDoctor(const Args& args) {
    if (!args.empty())
        return usage("doctor takes no arguments");

    // Only the handshake and the identity read go out: nothing that changes
    // a setting, and the remembered port is left as it was.
    const vexor::ControllerProbe probe = [this](int n) -> std::optional<std::string> {
        std::optional<std::string> identity;
        try {
            m_doc.port().close();
            m_doc.port().open(n);
            m_doc.port().configure();
            if (m_doc.handshake()) {
                identity = std::string();
                if (m_doc.readDevInfo()) {
                    const auto& info = m_doc.settings().m_devInfo;
                    char version[32];
                    std::snprintf(version, sizeof version, "%d.%d, ", (info.m_version >> 8) & 0xFF,
                                  info.m_version & 0xFF);
                    identity = version + vexor::printableText(info.m_serial);
                }
            }
        } catch (IError* error) {
            std::unique_ptr<IError> owned(error);
        }
        m_doc.port().close();
        return identity;
    };

    const std::vector<std::string> table = vexor::currentPortTable();
    if (table.empty())
        message(kMsgNoPorts);
    // The adapter that answered last time, when it is not plugged in now: the
    // search would fall back to its old number, which may be another port.
    const std::string remembered = m_doc.registry().lastPortName();
    if (!remembered.empty() &&
        std::none_of(table.begin(), table.end(), [&](const std::string& path) {
            return vexor::sameDevice(path, remembered);
        })) {
        std::string text = vexor::translate(kMsgRememberedGone);
        text.replace(text.find("%1"), 2, remembered);
        m_prompt.message(text, IUserPrompt::Icon::Warning);
    }
    const vexor::CPortDoctor doctor;
    bool answered = false;
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const vexor::SPortFinding finding =
            doctor.examine(table[i], static_cast<int>(i + 1), probe);
        answered = answered || finding.state == vexor::EPortState::Answers;
        // Lines come as each port is examined; the JSON array once whole.
        if (m_options.json)
            rows.push_back({finding.path, vexor::portStateName(finding.state), finding.detail});
        else if (!printOut(vexor::CPortDoctor::reportLine(finding)))
            return kExitFailed;
    }
    if (m_options.json && !printOut(jsonObjects({{"path"}, {"state"}, {"detail"}}, rows)))
        return kExitFailed;
    return answered ? kExitDone : kExitNoController;
}
