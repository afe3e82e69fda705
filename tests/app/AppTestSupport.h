#pragma once
// Shared pieces of the shell tests: scripted dialogs, a started application, data files.

#include "app/CKurvonApp.h"
#include "app/CKurvonView.h"
#include "app/CMainFrame.h"
#include "app/Prompts.h"

#include <QColor>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace kurvon::test {

// Answers the view's dialogs from queues and records every message shown.
class ScriptedPrompts final : public Prompts {
public:
    struct Script {
        // A null string or an invalid colour answers Cancel; so does an empty queue.
        std::deque<QString> openAnswers;
        std::deque<QString> pictureAnswers;
        std::deque<QColor> colorAnswers;
        QStringList appMessages;
        QStringList notices;
        int openAsked = 0;
        int pictureAsked = 0;
        int colorAsked = 0;
    };

    explicit ScriptedPrompts(std::shared_ptr<Script> script) : m_script(std::move(script)) {}

    std::optional<QString> AskOpenDataFile(QWidget*) override {
        ++m_script->openAsked;
        const QString answer = Take(m_script->openAnswers);
        return answer.isNull() ? std::nullopt : std::optional<QString>(answer);
    }
    std::optional<QString> AskPictureFile(QWidget*) override {
        ++m_script->pictureAsked;
        const QString answer = Take(m_script->pictureAnswers);
        return answer.isNull() ? std::nullopt : std::optional<QString>(answer);
    }
    std::optional<QColor> AskColor(QWidget*) override {
        ++m_script->colorAsked;
        const QColor answer = Take(m_script->colorAnswers);
        return answer.isValid() ? std::optional<QColor>(answer) : std::nullopt;
    }
    void ShowAppMessage(QWidget*, const QString& text) override {
        m_script->appMessages.append(text);
    }
    void ShowNotice(QWidget*, const QString& text) override { m_script->notices.append(text); }

private:
    template <typename T> static T Take(std::deque<T>& queue) {
        if (queue.empty())
            return T();
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }

    std::shared_ptr<Script> m_script;
};

// A started application whose dialogs are scripted.
struct RunningApp {
    RunningApp();
    ~RunningApp();

    CMainFrame& Frame() const { return *app->MainFrame(); }
    CKurvonView& View() const { return *Frame().View(); }

    std::shared_ptr<ScriptedPrompts::Script> script;
    std::unique_ptr<CKurvonApp> app;
};

// Waits until the running load has been handed over; false if it never ends.
bool WaitForLoad(CKurvonView& view);

// Writes a data file: a header line, `channels` names, `records` data lines (CR LF).
QString WriteDataFile(const QDir& dir, const QString& name, int channels, int records);
QString WriteBytes(const QDir& dir, const QString& name, const std::string& bytes);

QString ExampleFile();

// Whether some pixel of `rect` in `image` is neither black, white nor grey.
bool HasColouredPixel(const QImage& image, const QRect& rect);

} // namespace kurvon::test
