#pragma once

#include <QList>
#include <QObject>
#include <QVariant>

// Controls that behaviour refers to carry their numeric id in the dynamic
// property "ctrlId"; text objects and tests find them by it.
namespace vexor {

inline constexpr const char* kCtrlIdProperty = "ctrlId";

inline void setCtrlId(QObject* object, int id) {
    object->setProperty(kCtrlIdProperty, id);
}

// The id of an object, or 0 when it has none.
inline int ctrlId(const QObject* object) {
    const QVariant value = object->property(kCtrlIdProperty);
    return value.isValid() ? value.toInt() : 0;
}

inline bool hasCtrlId(const QObject* object) {
    return object->property(kCtrlIdProperty).isValid();
}

// A widget whose controls take their texts from a text object of their own (a
// page of the page set). The texts of the window around it stop there: pages
// reuse the window's control ids, and a page's field must never show the
// window's label of the same id.
inline constexpr const char* kTextScopeProperty = "textScope";

inline void setTextScope(QObject* object) {
    object->setProperty(kTextScopeProperty, true);
}

inline bool isTextScope(const QObject* object) {
    return object->property(kTextScopeProperty).toBool();
}

// The first descendant of root of type T carrying the id, or nullptr.
template <class T> T* findCtrl(const QObject* root, int id) {
    const QList<T*> candidates = root->findChildren<T*>();
    for (T* candidate : candidates) {
        if (hasCtrlId(candidate) && ctrlId(candidate) == id)
            return candidate;
    }
    return nullptr;
}

} // namespace vexor
