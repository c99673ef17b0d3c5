#include "core/numerology/compatibility.h"

#include <QHash>

#include <algorithm>

namespace numerology {

namespace {

// One distinct paragraph and the keys that show it (male digit first). Most pairs of different
// digits share one paragraph between both orders; 12 and 21 each have their own, as does every
// key with two equal digits. A row with a single key leaves the second key 0.
struct CompatibilityRow
{
    int keys[2];
    const char *text;
};

const CompatibilityRow kCompatibilityRows[] = {
    {{11}, "This is a combat of egos, which is what happens when two born leaders share a home. "
        "Each of you wants to set the course and neither likes to follow. Take turns at the "
        "wheel, give each other separate fields to lead, and your shared drive can carry you "
        "both a long way together."},
    {{12}, "An ideal and nice match but with a risk of sliding into typecast roles. Share the "
        "lead and keep the balance alive."},
    {{21}, "A nice match but with a tendency towards stereotyped roles, where one always leads "
        "and the other yields. Swap places now and then. Kindness will keep you near."},
    {{13, 31}, "This is a pretty happening relationship. Your relationship is full of fun, ideas "
        "and lively company, and friends love to be around you. Keep some plans for the two of "
        "you alone, and finish what you start together."},
    {{14, 41}, "Harmony may not always come easy, must strive for it. One of you rushes ahead "
        "while the other wants a plan. Respect each other's pace, agree on goals before acting, "
        "and your blend of drive and patience will build something that lasts."},
    {{15, 51}, "This relationship has all the excitement of a roller coaster ride. You both love "
        "change, travel and fresh ideas, and boredom is never a danger. The risk lies in "
        "restlessness: agree on a few steady anchors and the thrill can last a lifetime."},
    {{16, 61}, "Pleasure and affluence are ready to be showered on this couple. One brings "
        "drive, and the other warmth and care for the home. Do not let ambition crowd out family "
        "time, and life will be rich."},
    {{17, 71}, "A good intellectual match. This relationship portrays unusual depth of thought. "
        "Give each other time alone and talk openly about feelings."},
    {{18, 81}, "This is a very ambitious partnership. Have your goals written down and shared, "
        "since both of you want to lead. Work as a team rather than as rivals and success will "
        "follow."},
    {{19, 91}, "This is a very fiery relationship. Learn to cool down before you speak, because "
        "both of you hold strong views. You share a wish to make the world better; aim that "
        "passion at common causes instead of at each other."},
    {{22}, "Both of you are a lot like each other: gentle, patient and sensitive to moods. You "
        "understand each other without many words. Beware of avoiding conflict at any cost, "
        "since unspoken hurts pile up. Speak your mind kindly and often."},
    {{23, 32}, "The future may have some difficulties in store for you. One of you needs quiet "
        "and security, the other an audience and fun. With tact and humour you can meet midway "
        "and enjoy a warm and lively home."},
    {{24, 42}, "A moderately steady relationship, at times boring. You both value order, loyalty "
        "and a quiet home. Add a surprise to your routine, and this reliable bond will grow even "
        "stronger."},
    {{25, 52}, "You both are very different from each other. One longs for calm and closeness, "
        "the other for freedom and change. Patience and honest talk will turn these differences "
        "into a lively and happy balance."},
    {{26, 62}, "You are quite attuned to each other and share a love of home and family. Care "
        "and kindness come naturally to you both. Just be sure giving to others never leaves you "
        "too drained for each other."},
    {{27, 72}, "This relationship will survive if both of you accept your differing needs. One "
        "seeks closeness, the other solitude. Gentle patience bridges the gap nicely."},
    {{28, 82}, "This is a very complementary match. Can be highly successful when one plans and "
        "the other follows up. Just make sure both voices are heard."},
    {{29, 92}, "A bit of extremeness can lead your lives. Both of you feel deeply and give "
        "generously, sometimes more than is wise. Set limits together, look after your own needs "
        "as well as others', and this caring and idealistic bond can be a source of real joy."},
    {{33}, "This will be a wild journey. Evade overdoing the parties and spending; save energy "
        "for the home too."},
    {{34, 43}, "This relationship will take its toll on the patience of you both. One of you "
        "lives for fun and the moment, the other for work and careful planning. If you value "
        "what the other brings, laughter and stability can support each other nicely."},
    {{35, 53}, "This is a partnership built on passion and adventure. Keep it exciting, but keep "
        "it grounded."},
    {{36, 63}, "This is a very homely combination. You will enjoy a warm and cheerful home full "
        "of friends and family. Watch your spending and share the chores equally."},
    {{37, 73}, "Diverse people, miscellaneous needs. You need to work at understanding, for one "
        "loves company and the other solitude. Respect each other's rhythms and you will learn "
        "plenty."},
    {{38, 83}, "This is an association of opposites. Things may clash when light-hearted fun "
        "meets serious ambition. If you respect what the other offers, you can balance work and "
        "play in a healthy way."},
    {{39, 93}, "Life is your stage, there is not much you cannot do together. You share "
        "creativity, warmth and a wish to help others. Yet keep your feet firmly on the ground."},
    {{44}, "This is a very an association based on trust, hard work and shared values. You both "
        "like order and security, and you build your life step by step. Make room for fun and "
        "romance as well, or routine may become overly heavy."},
    {{45, 54}, "This is an egoistic relationship. The usual problem is that both of you want "
        "things done your own way. One seeks order and routine while the other craves freedom "
        "and variety. Compromise is the key: plan jointly, leave some room for spontaneity, and "
        "respect each other's need for space."},
    {{46, 64}, "This is a made for each other match. You both value home, loyalty and duty "
        "highly. Take care not to become too set in your ways."},
    {{47, 74}, "This is a very serious relationship. Maybe things feel too quiet at times, but "
        "you share honesty, depth and a love of careful thought. Add warmth and play to your "
        "daily life."},
    {{48, 84}, "Some good signs in relations. Generally you both work hard and share practical "
        "aims. Do not let work crowd out time for each other."},
    {{49, 94}, "This is a very difficult and improbable combination. One wants order and the "
        "here and now, the other dreams of the wider world. Patience and respect are always "
        "needed."},
    {{55}, "This is an unusual relationship. You have a shared love of freedom, travel and "
        "change, and life is never dull. But someone must pay the bills and keep the home: agree "
        "on who does what."},
    {{56, 65}, "More than accurate effort, some compromises are in order here. One of you wants "
        "freedom, the other a settled home. Talk openly, and plan some joint adventures as well."},
    {{57, 75}, "A relationship built on individual freedom. You need space and respect for each "
        "other's independence. Stay near and share thoughts."},
    {{58, 85}, "Your life is always full of new plans and ventures. Energy and ambition unite "
        "you; slow down now and then to enjoy all you have built."},
    {{59, 95}, "An unusual combination but willing to explore all that life offers. You share "
        "curiosity and open minds. Keep some roots at home."},
    {{66}, "Both of you relate to other people very warmly and put family first. Your home is a "
        "haven of love. Do not smother each other with care; allow some freedom."},
    {{67, 76}, "A difficult combination requiring some compromise. Try to balance one partner's "
        "love of home with the other's need for quiet thought and time spent alone."},
    {{68, 86}, "A good match, likely to continue. Keep away from arguments over money and about "
        "who leads."},
    {{69, 96}, "For the most part of life, this is a loving and caring union. You both want to "
        "help others and make a real difference. Save some love for yourselves too."},
    {{77}, "Allow for some individual peculiarity. Respect each other's need for silence and "
        "reflection. You share a deep inner life, so talk openly about your feelings."},
    {{78, 87}, "In this relationship, happiness is centered on careers. One of you seeks wisdom, "
        "the other success. Support each other's aims and make time to share calm moments at "
        "home."},
    {{79, 97}, "This relationship definitely has a spiritual appeal and a shared search for "
        "meaning. Stay practical in daily life and with money."},
    {{88}, "This is a very dynamic association. It's the meeting of two strong wills. Share the "
        "power and success will come."},
    {{89, 98}, "This relationship has much potential for love and success. Ambition meets "
        "generosity; use your strength to help each other and to serve the wider world."},
    {{99}, "Both of have very lofty ideals. Both of you give much to others; keep time for "
        "yourselves too."},
};

const QHash<int, QString> &compatibilityTable()
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> byKey;
        for (const CompatibilityRow &row : kCompatibilityRows) {
            const QString text = QString::fromLatin1(row.text);
            for (const int key : row.keys) {
                if (key != 0)
                    byKey.insert(key, text);
            }
        }
        return byKey;
    }();
    return table;
}

// The key's value as a decimal number, or -1 when the key, without its surrounding blanks, is
// not made of decimal digits only. Leading zeros count for nothing, so "011" reads as 11.
int keyValue(const QString &key)
{
    const QString digits = key.trimmed();
    if (digits.isEmpty())
        return -1;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QString CompatibilityText(const QString &key)
{
    return compatibilityTable().value(keyValue(key));
}

QList<int> compatibilityKeys()
{
    QList<int> keys = compatibilityTable().keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace numerology
