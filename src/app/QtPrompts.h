#pragma once
// The real dialogs behind Prompts.

#include "app/Prompts.h"

namespace kurvon {

class QtPrompts final : public Prompts {
public:
    std::optional<QString> AskOpenDataFile(QWidget* owner) override;
    std::optional<PictureChoice> AskPictureFile(QWidget* owner) override;
    std::optional<QColor> AskColor(QWidget* owner) override;
    void ShowAppMessage(QWidget* owner, const QString& text) override;
    void ShowNotice(QWidget* owner, const QString& text) override;
    std::optional<ChannelRoles> AskChannelRoles(QWidget* owner,
                                                const std::vector<std::string>& names,
                                                const ChannelRoles& current) override;
    std::optional<QString> AskCycleChoice(QWidget* owner, const QString& current) override;
};

} // namespace kurvon
