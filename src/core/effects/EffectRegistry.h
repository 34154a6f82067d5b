#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

class Bitmap;

// One parameter of an effect, as its dialog's control and the command line take it.
struct EffectParameter {
    QString name;
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    // Named values (for example "keep" and "erase"); the value is the index.
    QStringList choices = {};
};

// An effect asked for by name with some of its parameters ("blur:size=5").
struct EffectRequest {
    QString name;
    std::map<QString, QString> values;
};

// Splits "name" or "name:key=value,key=value". False with *error set when malformed.
bool ParseEffectRequest(const QString& text, EffectRequest* request, QString* error);

// Every effect the program has, in menu order.
struct EffectInfo {
    QString name;
    QString menuText;
    int commandId = 0;
    std::vector<EffectParameter> parameters;
};

const std::vector<EffectInfo>& Effects();
const EffectInfo* FindEffect(const QString& name);
