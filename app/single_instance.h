// One Inkwren per user: a second start hands its character to the running one, which comes to
// the front and writes it, instead of running beside it and watching the same clipboard.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace inkwren {

// The name the running instance listens on: one per user and settings file.
QString instance_name(const QString& registry_path);

// Hands the text (empty to just bring the window forward) to the instance listening on name;
// true when one took it.
bool hand_over(const QString& name, const QString& text);

// Listens for later starts; what they hand over goes to on_text.
class InstanceServer : public QObject {
public:
    InstanceServer(const QString& name, QObject* parent = nullptr);

    bool listening() const;
    std::function<void(const QString& text)> on_text;

private:
    void take_connection();

    QLocalServer* server_;
};

}  // namespace inkwren
