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
#include <functional>
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
        std::deque<PictureFormat> pictureFilters; // the filter chosen with each answer; BMP
                                                  // when empty
        std::deque<QColor> colorAnswers;
        QStringList appMessages;
        QStringList notices;
        int openAsked = 0;
        int pictureAsked = 0;
        int colorAsked = 0;
    };

    explicit ScriptedPrompts(std::shared_ptr<Script> script) : m_script(std::move(script)) {}

    std::optional<QString> AskOpenDataFile(QWidget*) override {
        return Answer(m_script->openAnswers, m_script->openAsked, &QString::isNull);
    }
    std::optional<PictureChoice> AskPictureFile(QWidget*) override {
        std::optional<QString> path =
            Answer(m_script->pictureAnswers, m_script->pictureAsked, &QString::isNull);
        PictureFormat format = PictureFormat::Bmp;
        if (!m_script->pictureFilters.empty()) {
            format = m_script->pictureFilters.front();
            m_script->pictureFilters.pop_front();
        }
        if (!path)
            return std::nullopt;
        return PictureChoice{*path, format};
    }
    std::optional<QColor> AskColor(QWidget*) override {
        return Answer(m_script->colorAnswers, m_script->colorAsked,
                      [](const QColor& c) { return !c.isValid(); });
    }
    void ShowAppMessage(QWidget*, const QString& text) override {
        m_script->appMessages.append(text);
    }
    void ShowNotice(QWidget*, const QString& text) override { m_script->notices.append(text); }

private:
    template <typename T, typename Cancels>
    static std::optional<T> Answer(std::deque<T>& queue, int& asked, Cancels cancels) {
        ++asked;
        if (queue.empty())
            return std::nullopt;
        T answer = queue.front();
        queue.pop_front();
        return std::invoke(cancels, answer) ? std::nullopt : std::optional<T>(answer);
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
QByteArray ReadBytes(const QString& path); // empty when it cannot be read

QString ExampleFile();

// Drops file URLs on the view the way a drag from a file manager does.
void DropOn(CKurvonView& view, const QStringList& paths, QPoint at = QPoint(100, 100));

// Whether some pixel of `rect` in `image` is neither black, white nor grey.
bool HasColouredPixel(const QImage& image, const QRect& rect);

} // namespace kurvon::test
