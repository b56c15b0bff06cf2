// The sound module: SoundOutput over GStreamer's playbin. Whatever may wait on the sound system
// (starting GStreamer, opening the file and the sound server, stopping a pipeline) runs on a thread
// of its own; the pipeline's messages reach the GUI thread through its event loop.
#include "components/sound_output.h"

#include <QFile>
#include <QObject>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include <gst/gst.h>

namespace zarvo {
namespace {

// playbin's "flags": audio only. A picture or a film in the file is neither decoded nor shown.
constexpr guint kPlayFlagAudio = 1u << 1;

// Runs blocking work off the GUI thread, each job on a thread of its own, so that a pipeline stuck
// in the sound system never holds up the next one. At exit the jobs still running get a few
// seconds to finish (a pipeline released after that would count as a leak), not forever.
class Jobs {
public:
  static void Run(std::function<void()> job) {
    Jobs& jobs = Instance();
    {
      std::lock_guard lock(jobs.mutex_);
      ++jobs.running_;
    }
    std::thread([job = std::move(job)]() mutable {
      job();
      job = nullptr; // what the job holds goes before the exit can count it as done
      Jobs& done = Instance();
      std::lock_guard lock(done.mutex_);
      --done.running_;
      done.idle_.notify_all();
    }).detach();
  }

private:
  // Never destroyed: a thread that outlasts the wait at exit still finds it.
  static Jobs& Instance() {
    static Jobs* const jobs = [] {
      auto* created = new Jobs;
      std::atexit([] { Instance().WaitAtExit(); });
      return created;
    }();
    return *jobs;
  }

  void WaitAtExit() {
    std::unique_lock lock(mutex_);
    idle_.wait_for(lock, std::chrono::seconds(5), [this] { return running_ == 0; });
  }

  std::mutex mutex_;
  std::condition_variable idle_;
  int running_ = 0;
};

// A pipeline, stopped and released on a job thread once its last owner lets go of it.
using Pipeline = std::shared_ptr<GstElement>;

Pipeline Adopt(GstElement* element) {
  return Pipeline(element, [](GstElement* e) {
    Jobs::Run([e] {
      gst_element_set_state(e, GST_STATE_NULL);
      gst_object_unref(e);
    });
  });
}

using Message = std::shared_ptr<GstMessage>;

// Starts GStreamer, once per process; says why it could not be started.
QString StartGstreamer() {
  static std::once_flag once;
  static QString problem;
  std::call_once(once, [] {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error))
      problem = error ? QString::fromUtf8(error->message) : QStringLiteral("GStreamer cannot be started");
    g_clear_error(&error);
  });
  return problem;
}

// Whether the sink that autoaudiosink chose is its stand-in that plays to nowhere: it takes one
// when no sound server or sound card answers.
bool PlaysToNowhere(GstElement* audioSink) {
  if (!GST_IS_BIN(audioSink))
    return false;
  bool nowhere = false;
  GstIterator* it = gst_bin_iterate_sinks(GST_BIN(audioSink));
  GValue item = G_VALUE_INIT;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
    if (factory && std::strcmp(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fakesink") == 0)
      nowhere = true;
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  return nowhere;
}

QString MessageText(GstMessage* message) {
  GError* error = nullptr;
  gchar* debug = nullptr;
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
    gst_message_parse_error(message, &error, &debug);
  else
    gst_message_parse_warning(message, &error, &debug);
  QString text = error && error->message ? QString::fromUtf8(error->message) : QString();
  g_clear_error(&error);
  g_free(debug);
  return text;
}

class GstSoundOutput;

// Carries calls from GStreamer's threads to the output on the GUI thread, until the output is gone.
class Mailbox {
public:
  Mailbox(QObject* context, GstSoundOutput* output) : context_(context), output_(output) {}

  void Post(std::function<void(GstSoundOutput&)> call) {
    std::lock_guard lock(mutex_);
    if (!context_)
      return;
    // A call still queued when the output goes is dropped with its context object.
    QMetaObject::invokeMethod(
        context_, [output = output_, call = std::move(call)] { call(*output); }, Qt::QueuedConnection);
  }

  void Close() {
    std::lock_guard lock(mutex_);
    context_ = nullptr;
  }

private:
  std::mutex mutex_;
  QObject* context_;
  GstSoundOutput* output_;
};

class GstSoundOutput final : public SoundOutput {
public:
  GstSoundOutput() : mailbox_(std::make_shared<Mailbox>(&context_, this)) {}
  ~GstSoundOutput() override { mailbox_->Close(); }

  void Prepare(const QString& absolutePath, Listener listener) override {
    listener_ = std::move(listener);
    Jobs::Run([mailbox = mailbox_, file = QFile::encodeName(absolutePath)] { Start(mailbox, file); });
  }

  bool HasAudio() const override { return hasAudio_; }
  QString MissingOutput() const override { return missingOutput_; }
  qint64 DurationMs() const override { return durationMs_; }

  qint64 PositionMs() const override {
    gint64 ns = 0;
    // While a state change is under way the pipeline may not answer; the last answer then stands.
    if (pipeline_ && gst_element_query_position(pipeline_.get(), GST_FORMAT_TIME, &ns) && ns >= 0)
      positionMs_ = ns / GST_MSECOND;
    return positionMs_;
  }

  void Play() override {
    if (pipeline_)
      gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING);
  }
  void Pause() override {
    if (pipeline_)
      gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  }
  void Rewind() override {
    if (!pipeline_)
      return;
    gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME,
                            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
    positionMs_ = 0;
  }

private:
  // On a job thread: builds the pipeline and starts preparing the file.
  static void Start(const std::shared_ptr<Mailbox>& mailbox, const QByteArray& file) {
    if (const QString problem = StartGstreamer(); !problem.isEmpty()) {
      mailbox->Post([problem](GstSoundOutput& out) { out.Fail(problem); });
      return;
    }
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(file.constData(), &error);
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
    if (!uri || !playbin || !sink) {
      const QString problem = error ? QString::fromUtf8(error->message)
                                    : QStringLiteral("GStreamer's playbin or autoaudiosink is not installed");
      g_clear_error(&error);
      g_free(uri);
      for (GstElement* e : {playbin, sink})
        if (e)
          gst_object_unref(gst_object_ref_sink(e));
      mailbox->Post([problem](GstSoundOutput& out) { out.Fail(problem); });
      return;
    }
    gst_object_ref_sink(playbin);
    g_object_set(playbin, "uri", uri, "flags", kPlayFlagAudio, "audio-sink", sink, nullptr);
    g_free(uri);
    const Pipeline pipeline = Adopt(playbin);

    GstBus* bus = gst_element_get_bus(playbin);
    gst_bus_set_sync_handler(bus, &Forward, new std::shared_ptr<Mailbox>(mailbox),
                             [](gpointer box) { delete static_cast<std::shared_ptr<Mailbox>*>(box); });
    gst_object_unref(bus);
    mailbox->Post([pipeline](GstSoundOutput& out) { out.pipeline_ = pipeline; });
    // Opens the file and the sound output; what goes wrong arrives as an error message.
    if (gst_element_set_state(playbin, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
      mailbox->Post(
          [](GstSoundOutput& out) { out.Fail(QStringLiteral("the sound system cannot play it.")); });
  }

  // On GStreamer's threads: hands the messages that matter to the GUI thread, in their order.
  static GstBusSyncReply Forward(GstBus*, GstMessage* message, gpointer box) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_WARNING:
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ASYNC_DONE: {
      Message held(gst_message_ref(message), [](GstMessage* m) { gst_message_unref(m); });
      (*static_cast<std::shared_ptr<Mailbox>*>(box))->Post([held](GstSoundOutput& out) {
        out.Handle(held.get());
      });
      break;
    }
    default: break;
    }
    return GST_BUS_DROP;
  }

  void Handle(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: Fail(MessageText(message)); break;
    case GST_MESSAGE_WARNING:
      if (warning_.isEmpty())
        warning_ = MessageText(message);
      break;
    case GST_MESSAGE_ASYNC_DONE:
      if (!ready_ && !failed_)
        BecomeReady();
      break;
    case GST_MESSAGE_EOS: Tell(Event::End, {}); break;
    default: break;
    }
  }

  void BecomeReady() {
    ready_ = true;
    GstElement* pipeline = pipeline_.get();
    gint audioStreams = 0;
    g_object_get(pipeline, "n-audio", &audioStreams, nullptr);
    hasAudio_ = audioStreams > 0;
    if (gint64 ns = 0; gst_element_query_duration(pipeline, GST_FORMAT_TIME, &ns) && ns > 0)
      durationMs_ = ns / GST_MSECOND;
    GstElement* sink = nullptr;
    g_object_get(pipeline, "audio-sink", &sink, nullptr);
    if (sink && hasAudio_ && PlaysToNowhere(sink))
      missingOutput_ = warning_.isEmpty() ? QStringLiteral("no sound output answers") : warning_;
    if (sink)
      gst_object_unref(sink);
    Tell(Event::Ready, {});
  }

  void Fail(const QString& text) {
    if (failed_)
      return;
    failed_ = true;
    Tell(Event::Failed, text.isEmpty() ? QStringLiteral("the sound system reported an error.") : text);
  }

  // Nothing of this output may be touched after it: the listener may destroy it.
  void Tell(Event event, const QString& text) {
    const Listener listener = listener_;
    if (listener)
      listener(event, text);
  }

  QObject context_; // the GUI thread's end of the mailbox
  std::shared_ptr<Mailbox> mailbox_;
  Pipeline pipeline_;
  Listener listener_;
  bool ready_ = false;
  bool failed_ = false;
  bool hasAudio_ = false;
  qint64 durationMs_ = 0;
  mutable qint64 positionMs_ = 0;
  QString warning_; // the first warning, kept to say why no sound output answers
  QString missingOutput_;
};

} // namespace
} // namespace zarvo

extern "C" Q_DECL_EXPORT zarvo::SoundOutput* ZarvoCreateSoundOutput() { return new zarvo::GstSoundOutput; }
