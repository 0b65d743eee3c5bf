#include "platform/window/WindowRegistry.h"

#include <mutex>

namespace rt {

WindowId WindowRegistry::newId() {
    std::lock_guard lock(m_lock);
    return m_nextId++;
}

void WindowRegistry::add(std::shared_ptr<WindowState> window) {
    std::lock_guard lock(m_lock);
    m_windowOfThread[window->ownerThread] = window->id;
    m_windows[window->id] = std::move(window);
}

void WindowRegistry::remove(WindowId id, int ownerThread) {
    std::lock_guard lock(m_lock);
    m_windows.erase(id);
    m_windowOfThread.erase(ownerThread);
}

void WindowRegistry::stopPosts(int thread, WindowId id) {
    std::lock_guard lock(m_lock);
    const auto found = m_windowOfThread.find(thread);
    if (found != m_windowOfThread.end() && found->second == id) {
        m_windowOfThread.erase(found);
    }
}

std::shared_ptr<WindowState> WindowRegistry::find(WindowId id) const {
    std::lock_guard lock(m_lock);
    const auto found = m_windows.find(id);
    return found == m_windows.end() ? nullptr : found->second;
}

std::shared_ptr<WindowState> WindowRegistry::windowOfThread(int thread) const {
    std::lock_guard lock(m_lock);
    const auto id = m_windowOfThread.find(thread);
    if (id == m_windowOfThread.end()) {
        return nullptr;
    }
    const auto window = m_windows.find(id->second);
    return window == m_windows.end() ? nullptr : window->second;
}

std::vector<std::shared_ptr<WindowState>> WindowRegistry::beginEnding() {
    std::lock_guard lock(m_lock);
    m_ending = true;
    std::vector<std::shared_ptr<WindowState>> others;
    for (const auto& [id, window] : m_windows) {
        if (window->ownerThread != FirstThread) {
            others.push_back(window);
        }
    }
    return others;
}

bool WindowRegistry::isEnding() const {
    std::lock_guard lock(m_lock);
    return m_ending;
}

void WindowRegistry::clear() {
    std::lock_guard lock(m_lock);
    m_windows.clear();
    m_windowOfThread.clear();
    m_ending = false;
}

}  // namespace rt
