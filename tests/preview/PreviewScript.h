#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <vector>

// Steps run from the event loop while a preview request waits: each step waits until its condition
// holds, then acts. When a step waits too long the script gives up and runs its rescue, so a test
// cannot hang inside the nested event loop.
class PreviewScript : public QObject
{
public:
    explicit PreviewScript(std::function<void()> rescue) : m_rescue(std::move(rescue))
    {
        connect(&m_timer, &QTimer::timeout, this, &PreviewScript::Tick);
        m_timer.start(5);
        m_waiting.start();
    }

    PreviewScript& Then(std::function<bool()> condition, std::function<void()> action)
    {
        m_steps.push_back({std::move(condition), std::move(action)});
        return *this;
    }

    bool Finished() const { return m_next >= m_steps.size() && !m_gaveUp; }
    bool GaveUp() const { return m_gaveUp; }

private:
    struct Step
    {
        std::function<bool()> condition;
        std::function<void()> action;
    };

    void Tick()
    {
        if (m_next >= m_steps.size() || m_running)
            return;
        if (m_waiting.elapsed() > 30000) {
            m_gaveUp = true;
            m_timer.stop();
            m_rescue();
            return;
        }
        if (!m_steps[m_next].condition())
            return;
        m_running = true;
        const std::function<void()> action = m_steps[m_next].action;
        ++m_next;
        m_waiting.restart();
        action();
        m_running = false;
    }

    std::function<void()> m_rescue;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_running = false;
    bool m_gaveUp = false;
    QTimer m_timer;
    QElapsedTimer m_waiting;
};
