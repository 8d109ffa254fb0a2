// The runner's message queue between the worker thread and the main thread.
#include "cli/headlessview.h"

void CHeadlessView::post(int message)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(message);
    }
    m_cv.notify_one();
}

int CHeadlessView::waitMessage(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_cv.wait_for(lock, timeout, [this] { return !m_queue.empty(); })) return 0;
    int message = m_queue.front();
    m_queue.pop_front();
    return message;
}
