// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's firefox-esr, headless, under puppeteer-core over WebDriver BiDi,
// in a fresh profile whose preferences keep it from contacting any host.
import puppeteer from 'puppeteer-core';
import { PuppeteerPage } from './puppeteer.mjs';
import { textInputInPage, webDriverKey } from './webdriver.mjs';

// Puppeteer sets most of what automation needs; these stop the rest of
// Firefox's own traffic: updates, telemetry, the captive portal and
// connectivity checks, remote settings, safe browsing, the region lookup,
// add-on updates and DNS prefetching. Anything else that tried to leave
// the machine would meet a proxy that does not exist.
const quiet = {
  'app.update.auto': false,
  'app.update.enabled': false,
  'app.update.staging.enabled': false,
  'browser.discovery.enabled': false,
  'browser.newtabpage.activity-stream.feeds.telemetry': false,
  'browser.newtabpage.activity-stream.telemetry': false,
  'browser.ping-centre.telemetry': false,
  'browser.region.network.url': '',
  'browser.region.update.enabled': false,
  'browser.safebrowsing.downloads.remote.enabled': false,
  'browser.safebrowsing.provider.google4.updateURL': '',
  'browser.safebrowsing.provider.google.updateURL': '',
  'browser.safebrowsing.provider.mozilla.updateURL': '',
  'browser.topsites.contile.enabled': false,
  'datareporting.healthreport.uploadEnabled': false,
  'datareporting.policy.dataSubmissionEnabled': false,
  'extensions.blocklist.enabled': false,
  'extensions.systemAddon.update.enabled': false,
  'extensions.update.enabled': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'network.dns.disablePrefetch': true,
  'network.http.speculative-parallel-limit': 0,
  'network.predictor.enabled': false,
  'network.prefetch-next': false,
  'network.proxy.type': 1,
  'network.proxy.http': '127.0.0.1',
  'network.proxy.http_port': 9,
  'network.proxy.ssl': '127.0.0.1',
  'network.proxy.ssl_port': 9,
  'network.proxy.no_proxies_on': '127.0.0.1',
  'services.settings.server': 'http://127.0.0.1:9/',
  'toolkit.telemetry.enabled': false,
  'toolkit.telemetry.server': '',
  'toolkit.telemetry.unified': false,
};

export async function launch() {
  // Puppeteer makes the fresh profile and removes it again.
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: quiet,
    // A first start in a fresh profile can take longer than puppeteer's 30 s
    // on two busy cores.
    timeout: 120_000,
  });
  return {
    browser,
    open: (url, viewport) => FirefoxPage.open(browser, url, viewport),
    close: () => browser.close(),
  };
}

class FirefoxPage extends PuppeteerPage {
  keyValue(key) {
    return webDriverKey(key);
  }

  // WebDriver types any character as a key that has it.
  typeCharacter(character) {
    return this.page.keyboard.press(character);
  }
}
// Text input without a key, made in the page.
Object.assign(FirefoxPage.prototype, textInputInPage);
