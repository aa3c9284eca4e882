#include "speech/ScriptedEngine.h"

class ScriptedEngine::Task final : public RecognitionTask {
public:
    Task(RecognitionDelegate delegate, std::vector<Step> script)
        : m_delegate(std::move(delegate)), m_script(std::move(script)) {}

    void run() {
        m_thread = std::thread([this] {
            for (const Step& step : m_script) {
                {
                    std::unique_lock lock(m_mutex);
                    m_wake.wait_for(lock, step.delay, [this] { return m_cancelled; });
                }
                step.action(m_delegate);
            }
        });
    }

    void cancel() override {
        {
            std::lock_guard lock(m_mutex);
            if (m_cancelled)
                return;
            m_cancelled = true;
        }
        m_wake.notify_all();
        m_delegate.cancelled();
    }

    void join() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    RecognitionDelegate m_delegate;
    std::vector<Step> m_script;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false;
    std::thread m_thread;
};

namespace {

// The handle given out: the engine keeps the task itself so that it can join its thread.
class TaskHandle final : public RecognitionTask {
public:
    explicit TaskHandle(std::shared_ptr<RecognitionTask> task) : m_task(std::move(task)) {}
    ~TaskHandle() override { m_task->cancel(); }
    void cancel() override { m_task->cancel(); }

private:
    std::shared_ptr<RecognitionTask> m_task;
};

} // namespace

ScriptedEngine::ScriptedEngine(std::vector<Language> languages)
    : m_languages(std::move(languages)) {}

ScriptedEngine::~ScriptedEngine() {
    for (const auto& task : m_tasks) {
        task->cancel();
        task->join();
    }
}

void ScriptedEngine::setScript(std::vector<Step> script) {
    std::lock_guard lock(m_mutex);
    m_script = std::move(script);
}

ScriptedEngine::Step ScriptedEngine::hypothesis(std::vector<Word> words,
                                                std::chrono::milliseconds delay) {
    return {delay, [t = Transcription::fromWords(words)](const RecognitionDelegate& delegate) {
                delegate.hypothesized(t);
            }};
}

ScriptedEngine::Step ScriptedEngine::reached(double seconds, std::chrono::milliseconds delay) {
    return {delay, [seconds](const RecognitionDelegate& delegate) { delegate.reached(seconds); }};
}

ScriptedEngine::Step ScriptedEngine::result(std::vector<Word> words,
                                            std::chrono::milliseconds delay,
                                            std::optional<TimeRange> covered) {
    return {delay, [t = Transcription::fromWords(words), covered](
                       const RecognitionDelegate& delegate) { delegate.recognized(t, covered); }};
}

ScriptedEngine::Step ScriptedEngine::finish(bool success, std::optional<QString> message,
                                            std::chrono::milliseconds delay) {
    return {delay, [success, message](const RecognitionDelegate& delegate) {
                delegate.finished(success, message);
            }};
}

int ScriptedEngine::started() const {
    std::lock_guard lock(m_mutex);
    return m_started;
}

QString ScriptedEngine::lastPath() const {
    std::lock_guard lock(m_mutex);
    return m_lastPath;
}

QStringList ScriptedEngine::supportedLanguages() const {
    QStringList ids;
    for (const Language& language : m_languages)
        ids.append(language.id);
    return ids;
}

bool ScriptedEngine::isOnDevice(const QString& language) const {
    for (const Language& entry : m_languages)
        if (entry.id == language)
            return entry.onDevice;
    return false;
}

QString ScriptedEngine::modelFolder(const QString& language) const {
    return QStringLiteral("/models/") + language;
}

std::unique_ptr<RecognitionTask> ScriptedEngine::start(const QString& path, const QString&, double,
                                                       RecognitionDelegate delegate) {
    std::lock_guard lock(m_mutex);
    ++m_started;
    m_lastPath = path;
    auto task = std::make_shared<Task>(std::move(delegate), m_script);
    m_tasks.push_back(task);
    task->run();
    return std::make_unique<TaskHandle>(task);
}
