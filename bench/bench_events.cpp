// What a keystroke and a button press cost: through the real widgets (QTest events,
// then the event loop as the running program would turn it) and through the
// program's own handlers alone; and whether memory grows with the events.
// Runs on QT_QPA_PLATFORM=offscreen with a pane that counts navigations and keeps
// only the last address, so the pane itself never grows.
//
//   chenglan_bench_events [--reps N] [--json FILE]
#include "app/main_window_loader.h"
#include "platform/html_viewer.h"
#include "search/current_keyword.h"
#include "search/search_engine_table.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <unistd.h>
#include <vector>

using namespace chenglan;

namespace {

class CountingPane : public HtmlViewer {
  public:
    explicit CountingPane(QWidget* parent) : widget_(new QWidget(parent))
    {
        widget_->setFocusPolicy(Qt::StrongFocus); // as the web view's
    }
    QWidget* widget() override { return widget_; }
    void setUrl(const Text& address) override
    {
        ++navigations;
        last.assign(address); // reuses its buffer: the pane stays the same size
    }

    long long navigations = 0;
    Text last;

  private:
    QWidget* widget_;
};

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

long heapInUse()
{
    const struct mallinfo2 m = mallinfo2(); // blocks in use, the mapped large ones included
    return static_cast<long>(m.uordblks + m.hblkhd);
}

struct Rep {
    double microsPerEvent;
    double rssGrowthPer1000; // bytes
    double heapGrowthPer1000;
    double navigationsPerEvent;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One batch of count events; the event loop runs to idle before each memory reading.
Rep runBatch(int count, const std::function<void(int)>& event, const CountingPane& pane)
{
    QCoreApplication::processEvents();
    const long rssBefore = residentBytes(), heapBefore = heapInUse();
    const long long navBefore = pane.navigations;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
        event(i);
    const auto end = std::chrono::steady_clock::now();
    QCoreApplication::processEvents();
    const double perThousand = count / 1000.0;
    return {std::chrono::duration<double, std::micro>(end - start).count() / count,
            (residentBytes() - rssBefore) / perThousand, (heapInUse() - heapBefore) / perThousand,
            static_cast<double>(pane.navigations - navBefore) / count};
}

} // namespace

int main(int argc, char** argv)
{
    int reps = 5;
    QString jsonPath;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray option = argv[i];
        if (option == "--reps")
            reps = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--json")
            jsonPath = QString::fromLocal8Bit(argv[i + 1]);
    }
    QApplication app(argc, argv);

    CurrentKeyword keyword;
    CountingPane* pane = nullptr;
    const std::unique_ptr<Form> form = loadMainWindow(keyword, [&pane](QWidget* parent) {
        auto made = std::make_unique<CountingPane>(parent);
        pane = made.get();
        return std::unique_ptr<HtmlViewer>(std::move(made));
    });
    form->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(form->window())) {
        std::fprintf(stderr, "bench_events: the window never became active\n");
        return 1;
    }

    auto* keywordBox = static_cast<QLineEdit*>(form->control("编辑框1"));
    const Handler& typedHandler = form->editBox("编辑框1").textChanged;
    std::vector<QWidget*> buttons;
    std::vector<const Handler*> clickHandlers;
    for (const SearchEngine& engine : SearchEngineTable) {
        buttons.push_back(form->control(engine.button));
        clickHandlers.push_back(&form->button(engine.button).clicked);
    }
    const int buttonCount = static_cast<int>(buttons.size());

    constexpr int Keystrokes = 10000, Clicks = 1000;
    struct Batch {
        const char* name;
        int count;
        std::function<void(int)> event;
    };
    const std::vector<Batch> batches = {
        // Typing then erasing one letter keeps the text short; each is a real edit.
        {"keystroke_widgets", Keystrokes,
         [&](int i) {
             if (i % 2 == 0)
                 QTest::keyClick(keywordBox, 'a');
             else
                 QTest::keyClick(keywordBox, Qt::Key_Backspace);
             QCoreApplication::processEvents(); // repaints and whatever else the edit posted
         }},
        {"click_widgets", Clicks,
         [&](int i) {
             QTest::mouseClick(buttons[static_cast<size_t>(i % buttonCount)], Qt::LeftButton);
             QCoreApplication::processEvents();
         }},
        {"keystroke_handler", Keystrokes, [&](int) { typedHandler(); }},
        {"click_handler", Clicks, [&](int i) { (*clickHandlers[static_cast<size_t>(i % buttonCount)])(); }},
    };

    QJsonObject results;
    for (const Batch& batch : batches) {
        runBatch(batch.count, batch.event, *pane); // warm-up: caches fill once, not counted
        std::vector<double> micros, rss, heap;
        double navs = 0;
        for (int r = 0; r < reps; ++r) {
            const Rep rep = runBatch(batch.count, batch.event, *pane);
            micros.push_back(rep.microsPerEvent);
            rss.push_back(rep.rssGrowthPer1000);
            heap.push_back(rep.heapGrowthPer1000);
            navs = rep.navigationsPerEvent;
        }
        auto summary = [](const std::vector<double>& v) {
            return QJsonObject{{QStringLiteral("median"), median(v)},
                               {QStringLiteral("min"), *std::min_element(v.begin(), v.end())},
                               {QStringLiteral("max"), *std::max_element(v.begin(), v.end())},
                               {QStringLiteral("runs"), QJsonArray::fromVariantList([&v] {
                                    QVariantList l;
                                    for (double x : v)
                                        l.append(x);
                                    return l;
                                }())}};
        };
        results[QString::fromLatin1(batch.name)] =
            QJsonObject{{QStringLiteral("events"), batch.count},
                        {QStringLiteral("navigations_per_event"), navs},
                        {QStringLiteral("us_per_event"), summary(micros)},
                        {QStringLiteral("rss_growth_bytes_per_1000"), summary(rss)},
                        {QStringLiteral("heap_growth_bytes_per_1000"), summary(heap)}};
        std::printf("%-18s %6d events x %d: %8.3f us/event (min %.3f, max %.3f), %.1f navigations/event, "
                    "RSS growth %+.0f B/1000 (min %+.0f, max %+.0f), heap in use %+.0f B/1000\n",
                    batch.name, batch.count, reps, median(micros),
                    *std::min_element(micros.begin(), micros.end()),
                    *std::max_element(micros.begin(), micros.end()), navs, median(rss),
                    *std::min_element(rss.begin(), rss.end()), *std::max_element(rss.begin(), rss.end()),
                    median(heap));
        std::fflush(stdout);
    }
    results[QStringLiteral("pane_last_address_bytes")] = static_cast<double>(pane->last.size());
    results[QStringLiteral("rss_end_bytes")] = static_cast<double>(residentBytes());

    if (!jsonPath.isEmpty()) {
        QFile out(jsonPath);
        if (!out.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "bench_events: cannot write %s\n", qPrintable(jsonPath));
            return 1;
        }
        out.write(QJsonDocument(results).toJson());
    }
    return 0;
}
