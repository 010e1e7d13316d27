#include "MenuItemName.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace larkspin {

namespace {

// A menu item as Qt presents one, named by `name` instead of its text. Registered for the action,
// it is what the menu gives assistive technology for that item.
class NamedMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  NamedMenuItem(QMenu* menu, QAction* action, QString name)
      : menu_(menu), action_(action), name_(std::move(name)) {}

  bool isValid() const override { return menu_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return menu_ ? menu_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(menu_);
  }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return name_;
    if (t == QAccessible::Accelerator)
      return action_->shortcut().toString(QKeySequence::NativeText);
    return {};
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect area = menu_->actionGeometry(action_);
    return QRect(menu_->mapToGlobal(area.topLeft()), area.size());
  }
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.focusable = true;
    state.invisible = !menu_->isVisible() || !action_->isVisible();
    state.focused = menu_->activeAction() == action_;
    state.disabled = !action_->isEnabled();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& actionName) override {
    if (isValid() && action_->isEnabled() && actionName == pressAction()) action_->trigger();
  }
  QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }

 private:
  QPointer<QMenu> menu_;
  QPointer<QAction> action_;
  QString name_;
};

}  // namespace

void NameMenuItem(QMenu* menu, QAction* action, const QString& name) {
  // The cache owns the interface and drops it with the action.
  QAccessible::registerAccessibleInterface(new NamedMenuItem(menu, action, name));
}

}  // namespace larkspin
