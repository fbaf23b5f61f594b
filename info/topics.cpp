#include "info/topics.h"

#include "info/topic_catalogue.h"

namespace info {

namespace {

using estimate::Align;

void write(const Topic& topic, estimate::DescriptionDocument& doc) {
    doc.showPicture(topic.picture);
    if (topic.pictureOnly())
        return; // the text follows on the click
    doc.clear();
    doc.setSize(10);
    doc.addStyle(estimate::Bold);
    doc.setAlignment(Align::Center);
    doc.append(topic.title);
    for (std::string_view line : topic.centred)
        doc.append(line);
    doc.setAlignment(Align::Left);
    bool bullets = false;
    for (const TopicLine& line : topic.body) {
        const bool wanted = line.kind == LineKind::Bullet;
        if (wanted != bullets) {
            doc.setBullets(wanted);
            bullets = wanted;
        }
        doc.append(line.text);
    }
    doc.setBullets(false);
}

} // namespace

bool showTopic(std::string_view controlName, estimate::DescriptionDocument& doc) {
    const Topic* topic = findTopic(controlName);
    if (!topic)
        return false;
    write(*topic, doc);
    return true;
}

bool selectsAllOnClick(std::string_view controlName) {
    const Topic* topic = findTopic(controlName);
    return topic && topic->selectsAll;
}

} // namespace info
